// The HUD: everything drawn over the world and the title in every pass.
#pragma once

// "SCORE: " and the nine shown digits at the top left.
void draw_hud();

// The failure line at the bottom of the editor's screen, while it lasts.
// Called once per pass after the HUD.
void draw_editor_notice();

// "PAUSED" in the middle of the screen, over the last frame a pass drew: the
// picture a paused game shows on every platform.
void draw_pause_notice();
