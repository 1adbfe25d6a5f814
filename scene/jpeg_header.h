#pragma once

// The pixel size a JPEG file's frame header gives, read without decoding the image. False when
// the file cannot be opened or its header is not a JPEG header.
bool ReadJpegSize(const char* path, unsigned& width, unsigned& height);
