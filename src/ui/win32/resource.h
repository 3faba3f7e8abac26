// The resources of sorvane.exe, named in sorvane.rc.
#pragma once

#define kIconResource 1
