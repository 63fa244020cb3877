// street, houses, house, show-street: the street search of the viewer asked from the command
// line. Each answer comes from the routines behind the dialog, with the dialog's state set as a
// user's choice would set it.
#include <string>

#include "commands.h"
#include "data/store.h"
#include "search/street_search.h"
#include "view/view.h"

namespace {

// The street index of an argument; false (usage written) when it is no index of this plan.
bool StreetIndexArg(const QueryCall& call, const char* command, const std::string& word, int32_t* index) {
    long value = 0;
    if (!ParseInt(word, &value)) {
        QueryUsageError(call, command, "'" + word + "' is not a street index");
        return false;
    }
    if (value < 0 || value >= g_street_name_count) {
        QueryUsageError(call, command,
                        "there is no street " + word + " (the plan has " +
                            std::to_string(g_street_name_count) + " streets, numbered from 0)");
        return false;
    }
    *index = static_cast<int32_t>(value);
    return true;
}

// The house list of a street, as the dialog builds it when the focus enters the house controls.
bool BuildHousesOf(int32_t street, FILE* err) {
    g_streetSel = street;
    if (!AllocateHouseList()) {
        fputs("plan-query: no memory for the house list\n", err);
        return false;
    }
    BuildHouseList();
    return true;
}

std::string BoxJson(const ViewRect& r) {
    return "{\"xMin\": " + JsonNumber(r.xMin) + ", \"yMin\": " + JsonNumber(r.yMin) +
           ", \"xMax\": " + JsonNumber(r.xMax) + ", \"yMax\": " + JsonNumber(r.yMax) + "}";
}

// Runs a subcommand with the plan loaded, and leaves nothing of it behind.
int WithPlan(const QueryCall& call, int (*answer)(const QueryCall& call)) {
    if (!LoadQueryPlan(call.err)) return kQueryFailed;
    const int code = answer(call);
    FreeHouseList();
    g_streetSel = -1;
    FreeQueryPlan();
    return code;
}

int AnswerStreet(const QueryCall& call) {
    const int32_t index = FindStreet(Utf8ToCp1251(call.args[0]).c_str());
    const std::string name = index >= 0
                                 ? JsonString(g_street_names[index].name, sizeof g_street_names[index].name)
                                 : std::string("null");
    fprintf(call.out, "{\"index\": %d, \"name\": %s}\n", index, name.c_str());
    return kQueryOk;
}

int AnswerHouses(const QueryCall& call) {
    int32_t street = -1;
    if (!StreetIndexArg(call, "houses", call.args[0], &street)) return kQueryUsage;
    if (!BuildHousesOf(street, call.err)) return kQueryFailed;
    fputs("[", call.out);
    for (int32_t k = 0; k < g_houseCount; ++k) {
        fprintf(call.out, "%s\n  {\"building\": %d, \"text\": %s}", k == 0 ? "" : ",",
                g_houseList[k].building, JsonString(g_houseList[k].text, kHouseTextSize).c_str());
    }
    fputs(g_houseCount > 0 ? "\n]\n" : "]\n", call.out);
    return kQueryOk;
}

int AnswerHouse(const QueryCall& call) {
    int32_t street = -1;
    if (!StreetIndexArg(call, "house", call.args[0], &street)) return kQueryUsage;
    if (!BuildHousesOf(street, call.err)) return kQueryFailed;
    const int32_t k = FindHouse(Utf8ToCp1251(call.args[1]).c_str());
    if (k < 0) {
        fprintf(call.out, "{\"index\": -1, \"building\": null, \"text\": null}\n");
    } else {
        fprintf(call.out, "{\"index\": %d, \"building\": %d, \"text\": %s}\n", k, g_houseList[k].building,
                JsonString(g_houseList[k].text, kHouseTextSize).c_str());
    }
    return kQueryOk;
}

int AnswerShowStreet(const QueryCall& call) {
    int32_t street = -1;
    if (!StreetIndexArg(call, "show-street", call.args[0], &street)) return kQueryUsage;
    g_streetSel = street;
    const int depthBefore = g_zoom.zoomDepth;
    const bool shown = ShowStreet();
    // The views as they were pushed, the wider one first; the view ends on the last.
    std::string views = "[";
    for (int d = depthBefore + 1; d <= g_zoom.zoomDepth; ++d) {
        if (d > depthBefore + 1) views += ", ";
        views += BoxJson(g_zoom.entries[d]);
    }
    views += "]";
    fprintf(call.out, "{\"street\": %d, \"id\": %d, \"shown\": %s, \"views\": %s}\n", street,
            g_street_names[street].id, shown ? "true" : "false", views.c_str());
    return kQueryOk;
}

}  // namespace

int RunStreetQuery(const QueryCall& call) {
    if (call.args.size() != 1) return QueryUsageError(call, "street", "street takes one text");
    return WithPlan(call, AnswerStreet);
}

int RunHousesQuery(const QueryCall& call) {
    if (call.args.size() != 1) return QueryUsageError(call, "houses", "houses takes one street index");
    return WithPlan(call, AnswerHouses);
}

int RunHouseQuery(const QueryCall& call) {
    if (call.args.size() != 2) return QueryUsageError(call, "house", "house takes a street index and a text");
    return WithPlan(call, AnswerHouse);
}

int RunShowStreetQuery(const QueryCall& call) {
    if (call.args.size() != 1)
        return QueryUsageError(call, "show-street", "show-street takes one street index");
    return WithPlan(call, AnswerShowStreet);
}
