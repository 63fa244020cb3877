// plan-query objects: the object search with the choices given on the command line, answered
// by the same routines the search window uses.
#include <string>

#include "commands.h"
#include "data/store.h"
#include "search/object_search.h"
#include "view/shared_state.h"

namespace {

constexpr const char* kCommand = "objects";

struct ObjectChoices {
    std::string theme;  // Windows-1251, two characters; empty for none
    std::string name;   // Windows-1251 as typed
    int mode = -1;
    long street = -1;
    long district = -1;  // 1..5
    long part = -1;
};

// Reads the options; an empty text on success, else what is wrong.
std::string ParseChoices(const std::vector<std::string>& args, ObjectChoices* choices) {
    for (size_t i = 0; i < args.size(); i += 2) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) return "missing value after '" + option + "'";
        const std::string& value = args[i + 1];
        long number = 0;
        if (option == "--theme") {
            choices->theme = Utf8ToCp1251(value);
            if (choices->theme.size() != 2) return "a theme code has two characters: '" + value + "'";
        } else if (option == "--name") {
            choices->name = Utf8ToCp1251(value);
        } else if (option == "--mode") {
            if (value == "starts")
                choices->mode = 0;
            else if (value == "contains")
                choices->mode = 1;
            else
                return "the mode is starts or contains: '" + value + "'";
        } else if (option == "--street") {
            if (!ParseInt(value, &number) || number < 0)
                return "a street is an index from 0: '" + value + "'";
            choices->street = number;
        } else if (option == "--district") {
            if (!ParseInt(value, &number) || number < 1 || number > 5)
                return "a district is 1 to 5: '" + value + "'";
            choices->district = number;
        } else if (option == "--part") {
            if (!ParseInt(value, &number) || number < 0) return "a part is an index from 0: '" + value + "'";
            choices->part = number;
        } else {
            return "unknown option '" + option + "'";
        }
    }
    return std::string();
}

// The choices as the window would leave them; false (reason on err) for a choice the plan lacks.
bool ApplyChoices(const ObjectChoices& choices, FILE* err) {
    if (choices.street >= g_street_name_count) {
        fprintf(err, "plan-query: there is no street %ld (the plan has %d)\n", choices.street,
                static_cast<int>(g_street_name_count));
        return false;
    }
    if (choices.part >= g_place_count) {
        fprintf(err, "plan-query: there is no part of the city %ld (the plan has %d)\n", choices.part,
                static_cast<int>(g_place_count));
        return false;
    }
    int32_t themeLine = -1;
    if (!choices.theme.empty()) {
        themeLine = ThemeLineOfCode(choices.theme.c_str());
        if (themeLine < 0) {
            fprintf(err, "plan-query: no theme has the code %s\n", JsonString(choices.theme).c_str());
            return false;
        }
    }
    g_objMode = choices.mode;
    SetObjectSearchName(choices.name.c_str());
    SetObjectAddressChoices(static_cast<int32_t>(choices.street), static_cast<int32_t>(choices.district - 1),
                            static_cast<int32_t>(choices.part));
    SetObjectThemeChoice(themeLine);
    return true;
}

void PrintFound(FILE* out) {
    char total[40];
    FormatObjectTotal(g_objFound, total, sizeof total);
    fprintf(out, "{\"found\": %d, \"total_text\": %s, \"objects\": [", static_cast<int>(g_objFound),
            JsonString(total).c_str());
    bool first = true;
    for (int32_t i = 0; g_user_objects != nullptr && i < g_user_count; ++i) {
        const UserObjectRec& o = g_user_objects[i];
        if (o.found != 1) continue;
        const int32_t building = ObjectBuilding(i);
        fprintf(out, "%s\n  {\"index\": %d, \"name\": %s, \"code\": %s, \"building\": %s}", first ? "" : ",",
                static_cast<int>(i), JsonString(o.name, sizeof o.name).c_str(),
                JsonString(o.code, sizeof o.code).c_str(),
                building < 0 ? "null" : std::to_string(building).c_str());
        first = false;
    }
    fputs(first ? "]}\n" : "\n]}\n", out);
}

// The search state outlives one question inside a test process; leave it as a fresh start.
void ForgetChoices() {
    ClearFoundObjects();
    g_objMode = -1;
    g_objName[0] = '\0';
    SetObjectAddressChoices(-1, -1, -1);
    SetObjectThemeChoice(-1);
}

}  // namespace

int RunObjectsQuery(const QueryCall& call) {
    ObjectChoices choices;
    const std::string problem = ParseChoices(call.args, &choices);
    if (!problem.empty()) return QueryUsageError(call, kCommand, problem);
    if (!LoadQueryPlan(call.err)) return kQueryFailed;
    int code = kQueryFailed;
    if (ApplyChoices(choices, call.err)) {
        MatchThemeObjects();
        PrintFound(call.out);
        code = kQueryOk;
    }
    ForgetChoices();
    FreeQueryPlan();
    return code;
}
