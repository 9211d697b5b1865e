#include "audio/Stream.h"
#include "audio/fixtures.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace fixtures;

namespace {

Bytes counting(std::size_t size)
{
    Bytes data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = static_cast<unsigned char>(i * 7 + i / 251);
    return data;
}

// Reads that start inside, across and beyond the read-ahead buffer, and past the end.
TEST(Stream, FileAndMemoryStreamsReadTheSameBytes)
{
    const Bytes data = counting(40000);
    TempFile file(data);
    TFileStream fileStream(file.path());
    TMemoryStream memoryStream(data);
    EXPECT_EQ(fileStream.Size(), 40000);
    struct Read { std::int64_t at; std::size_t count; bool fits = true; };
    const Read reads[] = {{0, 10}, {10, 128}, {16380, 8}, {100, 20000}, {39872, 128},
                          {16384, 4}, {5, 3}, {39999, 1}, {39990, 11, false}, {40000, 1, false},
                          {-1, 4, false}, {40001, 0}};
    for (const Read& r : reads) {
        Bytes fromFile(r.count), fromMemory(r.count);
        fileStream.Seek(r.at);
        memoryStream.Seek(r.at);
        if (!r.fits) {
            EXPECT_THROW(fileStream.ReadBuffer(fromFile.data(), r.count), platform::StreamReadError);
            EXPECT_THROW(memoryStream.ReadBuffer(fromMemory.data(), r.count), platform::StreamReadError);
            // Read takes what there is.
            const std::size_t there = r.at < 0 ? 0 : std::size_t(std::max<std::int64_t>(40000 - r.at, 0));
            fileStream.Seek(r.at);
            memoryStream.Seek(r.at);
            EXPECT_EQ(fileStream.Read(fromFile.data(), r.count), there);
            EXPECT_EQ(memoryStream.Read(fromMemory.data(), r.count), there);
            continue;
        }
        fileStream.ReadBuffer(fromFile.data(), r.count);
        memoryStream.ReadBuffer(fromMemory.data(), r.count);
        EXPECT_EQ(fromFile, Bytes(data.begin() + r.at, data.begin() + r.at + r.count)) << r.at;
        EXPECT_EQ(fromMemory, fromFile);
        EXPECT_EQ(fileStream.Position(), r.at + static_cast<std::int64_t>(r.count));
    }

    // Views show the same bytes where they lie, at least as many as asked where there are.
    for (const Read& r : reads) {
        const unsigned char* fromFile = nullptr;
        const unsigned char* fromMemory = nullptr;
        const std::size_t there = r.at < 0 ? 0 : std::size_t(std::max<std::int64_t>(40000 - r.at, 0));
        const std::size_t inFile = fileStream.View(r.at, r.count, fromFile);
        const std::size_t inMemory = memoryStream.View(r.at, r.count, fromMemory);
        EXPECT_GE(inFile, std::min(r.count, there)) << r.at;
        EXPECT_LE(inFile, there) << r.at;
        EXPECT_EQ(inMemory, there) << r.at;
        const std::size_t both = std::min(inFile, inMemory);
        if (both > 0) {
            EXPECT_EQ(Bytes(fromFile, fromFile + both), Bytes(fromMemory, fromMemory + both)) << r.at;
        }
    }
    EXPECT_EQ(fileStream.ViewBuffer(39990, 10)[9], data[39999]);
    EXPECT_THROW(fileStream.ViewBuffer(39990, 11), platform::StreamReadError);

    // A stream whose size was never asked finds the end by reading.
    TFileStream fresh(file.path());
    fresh.Seek(39990);
    Bytes tail(11);
    EXPECT_EQ(fresh.Read(tail.data(), 11), 10u);
    EXPECT_EQ(tail[9], data[39999]);
    EXPECT_EQ(fresh.Read(tail.data(), 1), 0u);

    // A small file, read whole at the first read, ends where it ends.
    const Bytes small(data.begin(), data.begin() + 12000);
    TempFile smallFile(small);
    TFileStream smallStream(smallFile.path());
    ASSERT_EQ(smallStream.Size(), 12000);
    EXPECT_EQ(smallStream.ViewBuffer(0, 10)[3], small[3]);
    EXPECT_EQ(smallStream.ViewBuffer(11872, 128)[127], small[11999]);
    EXPECT_THROW(smallStream.ViewBuffer(11990, 11), platform::StreamReadError);
    smallStream.Seek(11990);
    EXPECT_EQ(smallStream.Read(tail.data(), 11), 10u);
    EXPECT_EQ(tail[9], small[11999]);
}

// A file that gets shorter while it is read: its data ends where a read came short, and what
// reads it runs again over the shorter file, as over a file that had been that short from the
// start. A read past the end of a file that has kept its size is still an error.
TEST(Stream, AFileThatGetsShorterIsReadAgainAsTheShorterFile)
{
    const Bytes data = counting(40000);
    for (std::int64_t shorter : {40000, 30000, 10000, 0}) {
        SCOPED_TRACE(shorter);
        TempFile file(data);
        TFileStream stream(file.path());
        ASSERT_EQ(stream.Size(), 40000);
        std::filesystem::resize_file(file.path(), static_cast<std::uintmax_t>(shorter));
        int runs = 0;
        Bytes tail;
        // Reads the last bytes, where the size says they are, as the ID3v1 reader does.
        stream.ReadUntilSizeHolds([&] {
            ++runs;
            tail.assign(static_cast<std::size_t>(std::min<std::int64_t>(stream.Size(), 128)), 0);
            stream.Seek(stream.Size() - static_cast<std::int64_t>(tail.size()));
            stream.ReadBuffer(tail.data(), tail.size());
        });
        EXPECT_EQ(runs, shorter == 40000 ? 1 : 2);
        EXPECT_EQ(stream.Size(), shorter);
        // Nor does a view show what the buffers held beyond the new end.
        const unsigned char* start = nullptr;
        const std::size_t viewed = stream.View(0, 16, start);
        EXPECT_LE(viewed, std::size_t(shorter));
        EXPECT_GE(viewed, std::min<std::size_t>(std::size_t(shorter), 16));
        EXPECT_EQ(tail, Bytes(data.begin() + shorter - static_cast<std::int64_t>(tail.size()), data.begin() + shorter));
        EXPECT_THROW(stream.ReadUntilSizeHolds([&] {
            stream.Seek(stream.Size() - 1);
            stream.ReadBuffer(tail.data(), 2);
        }), platform::StreamReadError);
    }
}

TEST(Stream, OpenFailureNamesTheFile)
{
    try {
        TFileStream stream("no/such/file.mp3");
        FAIL() << "opened";
    } catch (const platform::FileOpenError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file no/such/file.mp3");
    }
}

} // namespace
