// The preview library in one include: facts, pixels, waveform, hex view and
// PNG bytes of a chunk's payload, for the window and the CLI alike. Nothing
// here throws; every result carries a Status, and no call reads outside the
// span it is given.
//
//   DescribeChunk(state, i)        the info lines for chunk i (0-based)
//   ResourcePayload(state, i)      the payload bytes of a resource chunk
//   DecodeDds(payload)             DdsHeader facts + RgbaImage of the top level
//   DdsFactsLine(header)           "Texture: 64 x 32, DXT5, 7 mip levels"
//   ReadWavInfo(payload)           WavFacts: channels, rate, bits, frames, duration
//   WavFactsLine(facts)            "Sound: 2 channels, 22050 Hz, 16 bits, ..."
//   SummariseWaveform(payload, n)  min/max per channel for n columns
//   DumpHex(bytes), FormatHexLine  the first 64 KiB as offset, hex, text
//   EncodePng(image), WritePng     PNG bytes or file of a decoded image
#pragma once

#include "chunk_info.h"
#include "dds_decode.h"
#include "dds_header.h"
#include "hex_dump.h"
#include "png_write.h"
#include "rgba_image.h"
#include "wav_info.h"
#include "waveform.h"
