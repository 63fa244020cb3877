// One run of plan-render: load the plan, compose the view, write the PNG.
#pragma once

#include <cstdio>

#include "options.h"

// 0 on success; otherwise 1 with the reason written to `errors`.
int RunRenderJob(const RenderOptions& options, FILE* errors);
