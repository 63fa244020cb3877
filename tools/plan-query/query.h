// The frame of plan-query: one subcommand per question, each given its words after the
// subcommand's name and a place to write its JSON answer. Texts arrive and leave in UTF-8; the
// routines of the viewer see Windows-1251, as everywhere inside the program.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Exit codes: the answer was written; the arguments were wrong (usage printed); the question
// could not be answered (reason printed).
constexpr int kQueryOk = 0;
constexpr int kQueryFailed = 1;
constexpr int kQueryUsage = 2;

struct QueryCall {
    std::vector<std::string> args;  // the words after the subcommand's name
    FILE* out = stdout;
    FILE* err = stderr;
};

struct QueryCommand {
    const char* name;
    const char* usage;  // the words after the name, as the usage line shows them
    int (*run)(const QueryCall& call);
};

// Every subcommand, in the order the usage lists them; ends with a null name.
extern const QueryCommand kQueryCommands[];

const QueryCommand* FindQueryCommand(const std::string& name);
// The usage of every subcommand, one line each.
void PrintQueryUsage(FILE* out);
// Writes "plan-query: <message>" and the subcommand's usage line to call.err; returns kQueryUsage.
int QueryUsageError(const QueryCall& call, const char* command, const std::string& message);

// Loads the plan of the working directory as the viewer does: the main files, then the
// buildings, the themes, the objects and the signs. False (reason on `err`) without a plan.
bool LoadQueryPlan(FILE* err);
void FreeQueryPlan();

// Text conversion at the boundary. Characters Windows-1251 has no letter for become '?'.
std::string Utf8ToCp1251(const std::string& text);
// A Windows-1251 text (up to its first NUL, at most `size` bytes) as a JSON string literal.
std::string JsonString(const char* text, size_t size = static_cast<size_t>(-1));
std::string JsonString(const std::string& text);
// A number as JSON: whole numbers without a fraction, others with up to 9 significant digits;
// a value that is not finite becomes null.
std::string JsonNumber(double value);

// Whole-word number parsing: false unless the whole text is a number.
bool ParseInt(const std::string& text, long* value);
bool ParseDouble(const std::string& text, double* value);
