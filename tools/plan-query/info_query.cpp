#include "commands.h"

// Not answered yet: the routines behind it are still being built.
int RunInfoQuery(const QueryCall& call) {
    fputs("plan-query: this question cannot be answered yet\n", call.err);
    return kQueryFailed;
}

