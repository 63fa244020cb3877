#include "resources/resource_tables.h"
#include "resources/resources.h"

HINSTANCE ProgramInstance() {
    static const ResourceModule module{kStringTable, kStringCount, kMenuTable,   kMenuCount,  kAccelTable,
                                       kAccelCount,  kDialogTable, kDialogCount, kImageTable, kImageCount};
    return &module;
}
