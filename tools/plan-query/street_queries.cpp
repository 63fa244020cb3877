#include "commands.h"

// Not answered yet: the routines behind it are still being built.
int RunStreetQuery(const QueryCall& call) {
    fputs("plan-query: this question cannot be answered yet\n", call.err);
    return kQueryFailed;
}

int RunHousesQuery(const QueryCall& call) {
    fputs("plan-query: this question cannot be answered yet\n", call.err);
    return kQueryFailed;
}

int RunHouseQuery(const QueryCall& call) {
    fputs("plan-query: this question cannot be answered yet\n", call.err);
    return kQueryFailed;
}

int RunShowStreetQuery(const QueryCall& call) {
    fputs("plan-query: this question cannot be answered yet\n", call.err);
    return kQueryFailed;
}

