#include "generator/RowPipeline.h"

#include "generator/RowMaker.h"
#include "platform/Directory.h"

#include <string>

namespace {

// One thread does it all: each file is read where the walk finds it.
class InOrder : public WalkOutput {
public:
    InOrder(PageSink& sink, const TGeneratorSettings& settings, const platform::LocaleSeparators& separators)
        : sink_(sink), maker_(settings, separators)
    {
    }

    void line(std::string_view text) override { sink_.line(text); }

    void folder(const platform::Directory& folder) override
    {
        current_ = &folder;
        sink_.folder(folder.path());
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

void runRowPipeline(const std::function<void(WalkOutput&)>& walk, PageSink& sink, const TGeneratorSettings& settings,
                    const platform::LocaleSeparators& separators)
{
    InOrder inOrder(sink, settings, separators);
    walk(inOrder);
}
