#pragma once
// The middle of the page made by several threads: one walks the folders, readers read and parse
// the MP3 files and make their rows, and the calling thread writes everything strictly in walk
// order, so that the page, its progress and its errors are those of a walk that reads each
// file where it finds it.
#include "generator/RowMaker.h"
#include "generator/WalkOrder.h"

#include <functional>


// Runs `walk` on a thread of its own and hands `sink` its lines, its folders and the rows of its
// files, in walk order, on the calling thread. `readers` reading threads make the rows (0: as
// many as the reads need, from one per core up to 64), and the calling thread makes rows too
// while the next ones to write are not made yet; with 1, the calling thread does everything
// itself, reading each file where the walk finds it. A file whose row cannot be made
// ends the run with its error when its turn to be written comes, as does an error of the walk;
// an error the sink raises ends it at once. Either way every thread has stopped when the
// error leaves. At most a bounded number of rows wait for their turn, whatever the size of the
// walk. What `rows` refers to must not change while it runs.
void runRowPipeline(const std::function<void(WalkOutput&)>& walk, PageSink& sink, const RowSettings& rows, int readers);

// The most reading threads it starts.
constexpr int MostReaders = 64;
