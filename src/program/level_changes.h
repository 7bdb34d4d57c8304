// Whether the level a designer edits holds changes not yet kept in a file,
// so that the page can ask before it is left: the level's cells, as the
// export writes them, against those last exported or opened.
#pragma once

// The cells of the level to edit, as they stand, count as kept: after an
// export, and when a level is opened or the program starts.
void keep_level_cells();

// Whether they differ from those kept. The level to edit is the editor's grid
// in the editor; elsewhere it is the level the editor would open (the open
// level file's cells over level 1, or level 1), so that the changes of a
// level being play-tested still count.
bool level_cells_changed();
