// The tables the resource files define, gathered into the program's module by module.cpp.
#pragma once

#include "platform/user_resource.h"

extern const StringResource kStringTable[];
extern const int kStringCount;
extern const MenuResource kMenuTable[];
extern const int kMenuCount;
extern const AccelResource kAccelTable[];
extern const int kAccelCount;
extern const DialogResource kDialogTable[];
extern const int kDialogCount;
extern const ImageResource kImageTable[];
extern const int kImageCount;
