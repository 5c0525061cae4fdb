// vidgrab.dll as its host sees it: pictures from a video capture device.
// Every function is __cdecl, runs on the caller's thread, which must have
// initialised COM, and is exported under the name MSVC gives its
// declaration here.
//
// Calling order: OnInitDialog with the host's capture window; StartRender;
// GetRenderDib whenever a picture is wanted; OnChoseDevice,
// WDMSetVideoFormat and WDMSetVideoSource as the user asks; StopRender and
// OnDone at the end, before the library is freed.
#pragma once

// A host that brings its own declarations of these types (the export check
// does) defines VIDGRAB_HOST_TYPES_DECLARED.
#ifndef VIDGRAB_HOST_TYPES_DECLARED
#include <windows.h>
#endif

// Devices listed by the last build; 0 before the first.
int __cdecl GetCapDeviceCount(void);
// Device n's name (at most 79 bytes); null when n is negative, not below
// the count, or not below 100.
const char* __cdecl GetNthCapDeviceName(int n);
// Remembers the owner of the boxes and dialogs, tears down any graph and
// builds a new one: the result of BuildRenderGraph.
int __cdecl OnInitDialog(HWND owner);
// The number (1-based) of the device in use, or 0 when none could be opened.
int __cdecl BuildRenderGraph(void);
int __cdecl DestroyGraph(void);  // always 1
int __cdecl StartRender(void);   // 1 running, 0 failed
int __cdecl StopRender(void);    // 1 stopped, 0 failed
// The latest frame as a 24-bit DIB in a movable global block that the
// caller frees with GlobalFree; null while not running or before a frame.
void* __cdecl GetRenderDib(void);
// Rebuilds the graph for device n; an n outside the list is ignored.
void __cdecl OnChoseDevice(int n);
// The device's format and source settings; a null window keeps the owner.
void __cdecl WDMSetVideoFormat(HWND window);
void __cdecl WDMSetVideoSource(HWND window);
// Stops, tears down and forgets the device list.
void __cdecl OnDone(void);
