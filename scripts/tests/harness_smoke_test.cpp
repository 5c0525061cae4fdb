// Proves that the Windows side works here as it will on Windows: the
// statically linked libraries decode like their Linux reference tools, a real
// window can be seen from outside, and played sound can be heard back.
#include <windows.h>
// After windows.h, which they need.
#include <mmsystem.h>

#include <gtest/gtest.h>
#include <csetjmp>
#include <cstdio>
#include <memory>

extern "C" {
#include <jpeglib.h>
}
#include <mpg123.h>

#include "common/testing/win32/wine_run.h"
#include "common/win32/handles.h"

namespace kz8::testkit {
namespace {

struct JpegErrorJump {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void jumpOnJpegError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
}

// Decodes a JPEG file to top-down RGB rows with the linked libjpeg.
std::optional<PpmImage> decodeJpeg(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) return std::nullopt;
    jpeg_decompress_struct info{};
    JpegErrorJump error{};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jumpOnJpegError;
    PpmImage image;
    if (setjmp(error.jump)) {
        jpeg_destroy_decompress(&info);
        return std::nullopt;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    image.width = int(info.output_width);
    image.height = int(info.output_height);
    image.rgb.resize(size_t(image.width) * image.height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &image.rgb[size_t(info.output_scanline) * image.width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return image;
}

TEST(StaticLibjpeg, DecodesLikeDjpeg) {
    auto ours = decodeJpeg(fixturePath("small.jpg"));
    auto reference = readFile(fixturePath("small.jpg.ppm"));
    ASSERT_TRUE(ours);
    ASSERT_TRUE(reference);
    auto djpeg = PpmImage::parse(*reference);
    ASSERT_TRUE(djpeg);
    ASSERT_EQ(ours->width, djpeg->width);
    ASSERT_EQ(ours->height, djpeg->height);
    EXPECT_TRUE(ours->rgb == djpeg->rgb) << "pixels differ from djpeg";
    Rgb topLeft = ours->at(2, 2);
    EXPECT_NEAR(topLeft.r, 0xe0, 6);
    EXPECT_NEAR(topLeft.g, 0x30, 6);
}

// Decodes a whole MP3 file to 16-bit PCM, frame by frame, as our engine will.
std::vector<uint8_t> decodeMp3(const std::vector<uint8_t>& mp3) {
    std::vector<uint8_t> pcm;
    mpg123_handle* handle = mpg123_new(nullptr, nullptr);
    if (!handle) return pcm;
    std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> owner(handle, &mpg123_delete);
    mpg123_param(handle, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    if (mpg123_open_feed(handle) != MPG123_OK) return pcm;
    mpg123_feed(handle, mp3.data(), mp3.size());
    for (;;) {
        off_t frame = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        int result = mpg123_decode_frame(handle, &frame, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT) continue;
        if (result != MPG123_OK) break;
        pcm.insert(pcm.end(), audio, audio + bytes);
    }
    return pcm;
}

TEST(StaticLibmpg123, DecodesLikeMpg123) {
    ASSERT_EQ(mpg123_init(), MPG123_OK);
    auto mp3 = readFile(fixturePath("tone-44k.mp3"));
    auto reference = readFile(fixturePath("tone-44k.mp3.raw"));
    ASSERT_TRUE(mp3 && reference);
    std::vector<uint8_t> pcm = decodeMp3(*mp3);
    ASSERT_EQ(pcm.size(), reference->size());
    EXPECT_TRUE(pcm == *reference) << "PCM differs from mpg123 -s";
}

constexpr COLORREF kPaintColour = RGB(0x12, 0x9a, 0x56);

LRESULT CALLBACK paintOneColour(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) {
        PaintDc dc(window);
        Brush brush(CreateSolidBrush(kPaintColour));
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc.get(), &client, brush.get());
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

void pumpMessagesFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < milliseconds) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
}

TEST(WineDesktop, PaintedWindowShowsInScreenshot) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = paintOneColour;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KZ8HarnessProbe";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST, "KZ8HarnessProbe", "probe", WS_POPUP | WS_VISIBLE, 100, 120,
                        200, 150, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    pumpMessagesFor(500);

    auto shot = takeScreenshot();
    DestroyWindow(window);
    ASSERT_TRUE(shot) << "no screenshot from the Linux side";
    EXPECT_EQ(shot->width, 1024);
    EXPECT_EQ(shot->height, 768);
    Rgb inside = shot->at(200, 200);
    EXPECT_EQ(inside, (Rgb{0x12, 0x9a, 0x56}))
        << "got " << int(inside.r) << "," << int(inside.g) << "," << int(inside.b);
    EXPECT_FALSE(shot->at(50, 50) == inside) << "the colour is outside the window too";
}

TEST(CapturedWaveDevice, PlayedBytesArriveInTheCapture) {
    ASSERT_EQ(waveOutGetNumDevs(), 1u);
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = 44100 * 4;

    // One second of a pattern that cannot occur by accident.
    std::vector<uint8_t> pcm(44100 * 4);
    uint32_t state = 12345;
    for (auto& b : pcm) {
        state = state * 1103515245 + 12345;
        b = uint8_t(state >> 16);
    }

    KernelHandle done(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    HWAVEOUT device = nullptr;
    ASSERT_EQ(waveOutOpen(&device, 0, &format, DWORD_PTR(done.get()), 0, CALLBACK_EVENT),
              MMSYSERR_NOERROR);
    WAVEHDR header{};
    header.lpData = reinterpret_cast<LPSTR>(pcm.data());
    header.dwBufferLength = DWORD(pcm.size());
    ASSERT_EQ(waveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    ASSERT_EQ(waveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    for (int waits = 0; waits < 100 && !(header.dwFlags & WHDR_DONE); ++waits)
        WaitForSingleObject(done.get(), 100);
    EXPECT_TRUE(header.dwFlags & WHDR_DONE);
    waveOutUnprepareHeader(device, &header, sizeof header);
    waveOutClose(device);

    std::vector<uint8_t> captured = capturedPcm();
    EXPECT_GE(captured.size(), pcm.size());
    EXPECT_TRUE(findBytes(captured, pcm)) << "captured " << captured.size() << " bytes";
}

TEST(NoWaveDevice, MachineWithoutSoundHasNoWaveDevice) { EXPECT_EQ(waveOutGetNumDevs(), 0u); }

}  // namespace
}  // namespace kz8::testkit
