#include "outside/capture/camera/camera_module.h"

// The linker's symbol at the start of the image this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace kz8::capture::testkit {

HMODULE cameraModule() { return reinterpret_cast<HMODULE>(&__ImageBase); }

}  // namespace kz8::capture::testkit
