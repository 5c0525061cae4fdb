// The two combo boxes that choose the camera's mode (IDC_SUBTYPE and
// IDC_PICTURE_SIZE), shared by the format page and the VfW format dialog. Every
// format and size is listed, in the order of kCameraFormats and
// kCameraSizes; a pair the camera does not offer is for SetFormat to refuse.
#pragma once

#include <windows.h>

#include <optional>

#include "outside/capture/camera/camera_modes.h"

namespace kz8::capture::testkit {

void fillFormatChoice(HWND dialog, const CameraMode& current);
// The mode the boxes show, offered or not; nothing while a box is empty.
std::optional<CameraMode> formatChoice(HWND dialog);
// Whether a WM_COMMAND says the user picked another format or size.
bool isFormatChoiceChange(WPARAM wParam);

}  // namespace kz8::capture::testkit
