#include "commands.h"

const QueryCommand kQueryCommands[] = {
    {"street", "TEXT", RunStreetQuery},
    {"houses", "STREET_INDEX", RunHousesQuery},
    {"house", "STREET_INDEX TEXT", RunHouseQuery},
    {"show-street", "STREET_INDEX", RunShowStreetQuery},
    {"info", "X Y --scale S", RunInfoQuery},
    {"objects",
     "[--theme CODE] [--name TEXT] [--mode starts|contains] [--street INDEX] [--district N] [--part INDEX]",
     RunObjectsQuery},
    {"measure", "--mode lines|streets --scale S X1,Y1 X2,Y2 ...", RunMeasureQuery},
    {"geo", "X Y", RunGeoQuery},
    {nullptr, nullptr, nullptr},
};
