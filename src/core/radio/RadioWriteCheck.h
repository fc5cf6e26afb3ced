#pragma once
// Whether an image may go to a radio. A write puts every byte on the radio,
// so an image that is not one (an exported CSV, a program, /dev/zero) would
// leave the radio with a garbage band, type and channels. Asked before the
// port is opened.

#include "core/files/Status.h"
#include "core/radio/DatFile.h"
#include "core/radio/RadioImage.h"

namespace torvan {

// Skipped: the user insists on writing an image whose band bytes are not a
// band (--force on the command line). The size of a file is never skipped.
enum class BandCheck { Required, Skipped };

// An image loaded from a file: the file held exactly 8192 bytes, and the band
// bytes 0x1FF0-0x1FF2 are six decimal digits whose lower edge is not above
// the upper one. The error says which rule failed, without the file's name:
// "it holds 9408 bytes, a radio image holds exactly 8192".
Status CheckImageForRadio(const RadioImage& image, const DatLoad& loadedFrom, BandCheck band);

// An image made here (a new document, a read from a radio): the band only.
Status CheckImageForRadio(const RadioImage& image, BandCheck band);

}  // namespace torvan
