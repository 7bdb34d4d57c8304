// The player's shots: a pool of 21 slots, slots 1 to 20 fired in turn.
#pragma once

// The fire key, held: the gun sound every frame, a shot every sixth frame.
void fire();

// Moves, retires and draws the flying shots; idle ones ride with the player.
void update_player_shots();
