#include "movie/win32/convert_function.h"

#include <windows.h>

#include "common/win32/handles.h"
#include "movie/portable/movie_file.h"
#include "movie/portable/quicktime_movie_sink.h"
#include "movie/win32/movie_source_reader.h"

namespace kz8::movie {

namespace {

// Messages without an owner or a caption, as the library has always shown them.
void showMessage(const char* text) { MessageBoxA(nullptr, text, nullptr, MB_OK); }

// The working file goes on every path that does not end in the move.
class WorkingFile {
public:
    explicit WorkingFile(std::string path) : path_(std::move(path)) {}
    ~WorkingFile() {
        if (!kept_) DeleteFileA(path_.c_str());
    }
    WorkingFile(const WorkingFile&) = delete;
    WorkingFile& operator=(const WorkingFile&) = delete;
    const std::string& path() const { return path_; }
    bool moveOnto(const std::string& target) {
        kept_ = MoveFileExA(path_.c_str(), target.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
        return kept_;
    }

private:
    std::string path_;
    bool kept_ = false;
};

}  // namespace

unsigned char convertToMovie(const std::string& source, const std::string& target,
                             const ProgressFunction& progress) {
    ComApartment apartment;
    std::unique_ptr<MovieSourceReader> reader = MovieSourceReader::open(source);
    if (!reader) return 0;
    ConversionDriver driver(*reader, progress);
    switch (driver.prepare()) {
        case ConversionResult::done: break;
        case ConversionResult::memoryLow: showMessage("memorylow"); return 0;
        default: return 0;
    }
    WorkingFile working(target + "_tmp");
    if (working.path().size() >= MAX_PATH) return 0;
    StdioMovieFile file(working.path());
    QuickTimeMovieSink sink(file);
    if (!file.isOpen() || !sink.begin()) return 0;
    const bool written = driver.run(sink) == ConversionResult::done;
    // A movie that cannot be completed or put in place is not saved at all.
    if (!file.close() || !written || !working.moveOnto(target)) {
        showMessage("Save File failed");
        return 0;
    }
    // What the QuickTime runtime left beside its files on older systems.
    DeleteFileA((target + ".#Res").c_str());
    DeleteFileA((working.path() + ".#Res").c_str());
    return 1;
}

}  // namespace kz8::movie
