#include "generator/RowPipeline.h"

#include "generator/ReaderCount.h"
#include "generator/RowBatch.h"
#include "generator/RowMaker.h"
#include "platform/Directory.h"
#include "platform/ThreadTime.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// While reads come from memory: a reading thread for every core but one, the writer reading
// too whenever the rows it is to write next are not made yet.
int leastReaders()
{
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
}

// The walk asked to stop: unwinds the walker thread.
struct Stopped {};

class Pipeline : private WalkOutput {
public:
    Pipeline(const RowSettings& rows, int readers)
        : rows_(rows), ring_(RingBatches),
          count_(readers, leastReaders(), MostReaders)
    {
    }

    ~Pipeline() { stop(); }

    void run(const std::function<void(WalkOutput&)>& walk, PageSink& sink)
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            startReaders();
        }
        walker_ = std::thread([this, &walk] { walkAll(walk); });
        write(sink);
        stop();
    }

private:
    // The walker's side -------------------------------------------------------------------

    void walkAll(const std::function<void(WalkOutput&)>& walk)
    {
        try {
            batch_ = &takeSlot();
            walk(*this);
            publish(true);
        } catch (const Stopped&) {
        } catch (...) {
            // The error stands where the walk got to; it is raised when the writer gets there.
            try {
                batch_->walkError = std::current_exception();
                publish(true);
            } catch (const Stopped&) {
            }
        }
    }

    void line(std::string_view text) override
    {
        batch_->items.push_back({WalkItem::Line, batch_->addText(text)});
        if (batch_->full())
            publish(false);
    }

    void folder(const platform::Directory& folder, const std::string& path) override
    {
        // A walk over folders without files hands on nothing for long: it looks here whether
        // it is to stop.
        if (stopping_)
            throw Stopped();
        // A batch holds the files of one folder, and a bounded number of folders' paths however
        // deep they lie.
        if (batch_->fileCount > 0 || batch_->full())
            publish(false);
        current_ = &folder;
        shared_.reset();
        batch_->items.push_back({WalkItem::Folder, batch_->addText(path)});
    }

    void file(const std::string& name) override
    {
        if (!shared_)
            shared_ = current_->duplicate();
        if (batch_->fileCount > 0 && batch_->folder != shared_)
            publish(false);
        batch_->folder = shared_;
        batch_->addFile(name);
        if (batch_->fileCount >= BatchFiles || batch_->full())
            publish(false);
    }

    // Hands the batch being filled to the readers and the writer, and takes the next slot.
    void publish(bool last)
    {
        std::unique_lock<std::mutex> lock(mutex_);
        batch_->last = last;
        ++walked_;
        unclaimed_ += batch_->fileCount;
        if (batch_->fileCount > 0)
            workReady_.notify_one();
        if (walked_ == written_ + 1)
            writable_.notify_one();
        lock.unlock();
        if (!last)
            batch_ = &takeSlot();
    }

    RowBatch& takeSlot()
    {
        std::unique_lock<std::mutex> lock(mutex_);
        // A full ring lets the walk go on only once it is half empty: the walk then fills it in
        // one go, rather than waking for every batch written.
        if (walked_ - written_ == RingBatches)
            slotFree_.wait(lock, [this] { return stopping_ || walked_ - written_ <= RingBatches / 2; });
        if (stopping_)
            throw Stopped();
        return ring_[walked_ % RingBatches];
    }

    // The readers' side -------------------------------------------------------------------

    // Under the lock. When the system gives no more threads, those there are do the work.
    void startReaders()
    {
        while (!stopping_ && !threadsExhausted_ && static_cast<int>(readers_.size()) < count_.target()) {
            const int index = static_cast<int>(readers_.size());
            try {
                readers_.emplace_back([this, index] { read(index); });
            } catch (const std::system_error&) {
                if (readers_.empty())
                    throw;
                threadsExhausted_ = true;
            }
        }
    }

    // Under the lock: the batch and the files a reader takes next, if any.
    bool claim(std::size_t& batchIndex, std::size_t& from, std::size_t& to)
    {
        // Batches without files are written without a reader ever looking at them.
        claimCursor_ = std::max(claimCursor_, written_);
        while (claimCursor_ < walked_ && ring_[claimCursor_ % RingBatches].claimed == ring_[claimCursor_ % RingBatches].fileCount)
            ++claimCursor_;
        if (claimCursor_ == walked_)
            return false;
        // Rows pile up while the writer waits for an older one: only that one's files are read then.
        if (rowBytes_ > RowBytesInFlight && claimCursor_ != written_) {
            heldBack_ = true;
            return false;
        }
        RowBatch& batch = ring_[claimCursor_ % RingBatches];
        batchIndex = claimCursor_;
        from = batch.claimed;
        to = std::min(batch.fileCount, from + count_.chunk(unclaimed_));
        batch.claimed = to;
        unclaimed_ -= to - from;
        return true;
    }

    void read(int index)
    {
        RowMaker maker(rows_);
        std::unique_lock<std::mutex> lock(mutex_);
        for (;;) {
            if (stopping_)
                return;
            // Readers beyond the number wanted now wait apart, so that waking one for work never
            // wakes one that may not take it.
            if (index >= count_.target()) {
                parked_.wait(lock);
                continue;
            }
            if (!readChunk(maker, lock))
                workReady_.wait(lock);
        }
    }

    // Under the lock, which it lets go while it reads: makes the rows of the next files waiting
    // to be read, if any, and tells whoever waits for them.
    bool readChunk(RowMaker& maker, std::unique_lock<std::mutex>& lock)
    {
        std::size_t b = 0, from = 0, to = 0;
        if (!claim(b, from, to))
            return false;
        // More work than this reader takes: another one takes the rest.
        if (unclaimed_ > 0)
            workReady_.notify_one();
        RowBatch& batch = ring_[b % RingBatches];
        const platform::Directory& folder = *batch.folder;
        // While reads wait, the files are opened first and their starts asked for, so that the
        // disk reads them while the first is made into its row. The files held open so are
        // bounded across readers.
        const std::size_t ahead =
            count_.waiting() && to - from > 1 ? std::min(to - from, MostOpenAhead - openAhead_) : 0;
        openAhead_ += ahead;
        const bool filesLeft = unclaimed_ > 0;
        lock.unlock();

        const auto started = std::chrono::steady_clock::now();
        const platform::ThreadUsage before = platform::threadUsage();
        for (std::size_t i = from; i < from + ahead; ++i)
            maker.openAhead(folder, batch.files[i].name);
        std::size_t bytes = 0;
        for (std::size_t i = from; i < to; ++i) {
            RowJob& job = batch.files[i];
            try {
                maker.makeRow(folder, job.name, job.row);
                bytes += job.row.size();
            } catch (...) {
                job.error = std::current_exception();
            }
        }
        maker.closeAhead();
        const platform::ThreadUsage after = platform::threadUsage();
        const auto wall = std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - started);

        lock.lock();
        openAhead_ -= ahead;
        batch.done += to - from;
        batch.rowBytes += bytes;
        rowBytes_ += bytes;
        if (b == written_ && batch.complete())
            writable_.notify_one();
        const int target = count_.target();
        auto used = [](std::int64_t start, std::int64_t end) { return start < 0 || end < 0 ? -1 : end - start; };
        count_.chunkRead(to - from, wall.count(), used(before.cpuNs, after.cpuNs), used(before.waits, after.waits), filesLeft);
        if (count_.target() > target) {
            startReaders();
            parked_.notify_all();
        }
        return true;
    }

    // The writer's side -------------------------------------------------------------------

    void write(PageSink& sink)
    {
        // While the next rows are not made yet, the writer makes others itself.
        RowMaker maker(rows_);
        for (;;) {
            RowBatch* batch = nullptr;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                while (!(written_ < walked_ && ring_[written_ % RingBatches].complete()))
                    if (!readChunk(maker, lock))
                        writable_.wait(lock);
                batch = &ring_[written_ % RingBatches];
            }
            for (const WalkItem& item : batch->items) {
                switch (item.kind) {
                case WalkItem::Line: sink.line(batch->texts[item.index]); break;
                case WalkItem::Folder: sink.folder(batch->texts[item.index]); break;
                case WalkItem::File: {
                    const RowJob& job = batch->files[item.index];
                    if (job.error)
                        std::rethrow_exception(job.error);
                    sink.row(job.row);
                    break;
                }
                }
            }
            if (batch->walkError)
                std::rethrow_exception(batch->walkError);
            const bool last = batch->last;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                rowBytes_ -= batch->rowBytes;
                batch->reset();
                ++written_;
                if (walked_ - written_ == RingBatches / 2)
                    slotFree_.notify_one();
                // Readers held back by the rows in flight may go on.
                if (heldBack_) {
                    heldBack_ = false;
                    workReady_.notify_all();
                }
            }
            if (last)
                return;
        }
    }

    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopping_ = true;
        }
        slotFree_.notify_all();
        workReady_.notify_all();
        parked_.notify_all();
        if (walker_.joinable())
            walker_.join();
        std::vector<std::thread> readers;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            readers.swap(readers_);
        }
        for (std::thread& t : readers)
            t.join();
    }

    const RowSettings& rows_;

    std::mutex mutex_;
    std::condition_variable workReady_; // readers wait for files
    std::condition_variable parked_;    // readers beyond the number wanted wait
    std::condition_variable writable_;  // the writer waits for the next batch to be complete
    std::condition_variable slotFree_;  // the walker waits for room in the ring
    std::vector<RowBatch> ring_;
    // Batch numbers, counting from the first: the walker has handed on walked_ batches, the
    // writer has written written_, and readers take files from claimCursor_ on.
    std::size_t walked_ = 0;
    std::size_t written_ = 0;
    std::size_t claimCursor_ = 0;
    std::size_t unclaimed_ = 0; // files handed on and not yet taken by a reader
    std::size_t rowBytes_ = 0;  // rows made and not yet written
    std::size_t openAhead_ = 0; // files readers may hold open ahead of their rows
    ReaderCount count_;
    // Set under the lock; read without it by the walker too.
    std::atomic<bool> stopping_{false};
    bool threadsExhausted_ = false;
    bool heldBack_ = false; // readers wait until rows have been written
    std::vector<std::thread> readers_;
    std::thread walker_;

    // The walker's own.
    RowBatch* batch_ = nullptr;
    const platform::Directory* current_ = nullptr;
    std::shared_ptr<const platform::Directory> shared_;
};

// One thread does it all: each file is read where the walk finds it.
class InOrder : public WalkOutput {
public:
    InOrder(PageSink& sink, const RowSettings& rows)
        : sink_(sink), maker_(rows)
    {
    }

    void line(std::string_view text) override { sink_.line(text); }

    void folder(const platform::Directory& folder, const std::string& path) override
    {
        current_ = &folder;
        sink_.folder(path);
    }

    void file(const std::string& name) override
    {
        maker_.makeRow(*current_, name, row_);
        sink_.row(row_);
    }

private:
    PageSink& sink_;
    RowMaker maker_;
    const platform::Directory* current_ = nullptr;
    std::string row_;
};

} // namespace

void runRowPipeline(const std::function<void(WalkOutput&)>& walk, PageSink& sink, const RowSettings& rows, int readers)
{
    if (readers == 1) {
        InOrder inOrder(sink, rows);
        walk(inOrder);
        return;
    }
    Pipeline pipeline(rows, readers);
    pipeline.run(walk, sink);
}
