#pragma once
// A stretch of the walk's output on its way from the walker through the readers to the
// page's writer: the lines, the folders and the files in walk order, and the files' rows once
// readers have made them.
#include "platform/Directory.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The walk hands on its output in batches: a hand-off per file would cost more than it saves
// while files come from memory. A batch holds the files of one folder only, and the ring holds
// a bounded number of batches; so at most RingBatches folders are held open for the readers.
constexpr std::size_t BatchFiles = 64;
constexpr std::size_t BatchItems = 256;
// The lines and folder paths of a batch: folders deep down a tree have long paths.
constexpr std::size_t BatchTextBytes = 64 << 10;
constexpr std::size_t RingBatches = 64;
// Rows made and not yet written; past it, readers work only on the batch the writer waits for.
constexpr std::size_t RowBytesInFlight = 8 << 20;
// A row or a text that grew larger than this (a tag with very long texts, a folder deep down a
// tree) gives its storage back once written.
constexpr std::size_t KeptRowCapacity = 64 << 10;
constexpr std::size_t FirstRowCapacity = 512;
// Files opened ahead of their rows, across readers: well within the files a process may have open.
constexpr std::size_t MostOpenAhead = 256;

struct WalkItem {
    enum Kind : std::uint8_t { Line, Folder, File } kind;
    std::uint32_t index; // into the batch's texts (Line, Folder) or files (File)
};

struct RowJob {
    std::string name;
    std::string row;
    std::exception_ptr error;
};

// A stretch of the walk's output. Its vectors and strings are kept from use to use, so that
// the steady state allocates nothing.
struct RowBatch {
    std::vector<WalkItem> items;
    std::vector<std::string> texts;
    std::size_t textCount = 0;
    std::size_t textBytes = 0;
    std::vector<RowJob> files;
    std::size_t fileCount = 0;
    std::shared_ptr<const platform::Directory> folder; // of its files
    std::exception_ptr walkError;                      // the walk failed after its items
    bool last = false;                                 // the walk ends with it
    // Under the pipeline's lock:
    std::size_t claimed = 0; // files handed to readers
    std::size_t done = 0;    // files whose rows are made
    std::size_t rowBytes = 0;

    bool complete() const { return done == fileCount; }
    // Holds as many lines and folders as it may.
    bool full() const { return items.size() >= BatchItems || textBytes >= BatchTextBytes; }

    std::uint32_t addText(std::string_view text)
    {
        if (textCount == texts.size())
            texts.emplace_back();
        texts[textCount].assign(text.data(), text.size());
        textBytes += text.size();
        return static_cast<std::uint32_t>(textCount++);
    }

    void addFile(const std::string& name)
    {
        if (fileCount == files.size()) {
            files.emplace_back();
            // Room for most rows at once, rather than growing it step by step.
            files.back().row.reserve(FirstRowCapacity);
        }
        files[fileCount].name.assign(name);
        items.push_back({WalkItem::File, static_cast<std::uint32_t>(fileCount++)});
    }

    void reset()
    {
        items.clear();
        for (std::size_t i = 0; i < textCount; ++i)
            if (texts[i].capacity() > KeptRowCapacity)
                std::string().swap(texts[i]);
        textCount = 0;
        textBytes = 0;
        for (std::size_t i = 0; i < fileCount; ++i) {
            files[i].error = nullptr;
            if (files[i].row.capacity() > KeptRowCapacity)
                std::string().swap(files[i].row);
        }
        fileCount = 0;
        folder.reset();
        walkError = nullptr;
        last = false;
        claimed = done = rowBytes = 0;
    }
};
