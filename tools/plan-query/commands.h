// The subcommands of plan-query, each in a file of its own.
#pragma once

#include "query.h"

int RunStreetQuery(const QueryCall& call);      // street_queries.cpp
int RunHousesQuery(const QueryCall& call);      // street_queries.cpp
int RunHouseQuery(const QueryCall& call);       // street_queries.cpp
int RunShowStreetQuery(const QueryCall& call);  // street_queries.cpp
int RunInfoQuery(const QueryCall& call);        // info_query.cpp
int RunObjectsQuery(const QueryCall& call);     // objects_query.cpp
int RunMeasureQuery(const QueryCall& call);     // measure_query.cpp
int RunGeoQuery(const QueryCall& call);         // geo_query.cpp
