#pragma once
// The middle of the page: the walk over the folders, and the rows of the MP3 files it finds.
#include "generator/WalkOrder.h"

#include <functional>

struct TGeneratorSettings;
namespace platform { struct LocaleSeparators; }

// Runs `walk` and hands `sink` its lines, its folders and the rows of its files, in walk order.
// A file whose row cannot be made ends the run with its error. `settings` and `separators`
// must not change while it runs.
void runRowPipeline(const std::function<void(WalkOutput&)>& walk, PageSink& sink, const TGeneratorSettings& settings,
                    const platform::LocaleSeparators& separators);
