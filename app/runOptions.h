#pragma once

#include "app/options.h"

// Puts into effect what the options ask for once start-up is done: the first
// mode, wireframe, watching the resource folders, and, when frames are
// counted or files watched, a frame callback of its own. Without options it
// changes nothing: the plain display callback stays.
void applyOptions(const Options& options);

// The frame callback of a run with --frames, --screenshot or --watch.
void optionedDisplay();
