#pragma once
// The program's whole resource set: dialogs, menus, accelerators, the toolbar with its images, icons and
// the string table, with the ids of resource.h.
#include "framework/restypes.h"

// Built on first use and kept for the life of the program; also registers the pictures (Qt resources).
const fw::ResourceSet& QuorrelResources();
