# A capture device's frames, of any claimed size, through the DibFilter's
# packing and GetRenderDib's DIB.
kz8_fuzz_target(fuzz_capture_frame capture_frame_fuzz.cpp kz8_capture_portable)
