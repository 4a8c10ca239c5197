#pragma once

// Gives the program's own widgets the roles assistive technology announces:
// the top-level windows as windows and the settings as a dialog, instead of
// fillers with no window around them, and the picture areas as pictures.
// Once per process, before the first window is shown; later calls do nothing.
void install_accessible_roles();
