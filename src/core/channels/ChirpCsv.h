#pragma once
// The generic CSV of the common multi-radio programming tool ("chirp" format),
// in which lists of repeaters and services circulate. One line is one
// channel; columns are found by name in any order, and older files lack some.
//
// Import (through ChannelListImport.h), for each line:
// - Location N is channel N: 0 is Pr, 1..199 the numbered channels.
// - Frequency is Rx in MHz; Duplex "" gives Tx = Rx, "+" / "-" Tx = Rx +/-
//   Offset, "split" Tx = Offset, "off" no Tx; exact decimal arithmetic, then
//   the grid's band and raster rules.
// - Tone "" gives no tones; "Tone" Tx = rToneFreq; "TSQL" both = cToneFreq;
//   "DTCS" Tx = DtcsCode with the first DtcsPolarity letter, Rx = RxDtcsCode
//   (DtcsCode where RxDtcsCode is missing or empty) with the second, N normal
//   and R inverted; "Cross" by CrossMode "TX->RX", each side "Tone", "DTCS" or
//   empty (no tone), Tx tones from rToneFreq / DtcsCode, Rx tones from
//   cToneFreq / RxDtcsCode. Columns a mode does not use are ignored.
// - Mode "FM" is Wide, "NFM" Narrow; other modes cannot be stored.
// - Skip "" or "P" is Scan Add Yes, "S" No. Power "High" / "Low" in any case,
//   or watts ("5.0W"): below 2.5 W Low, else High; empty High.
// - Name in upper case, characters the radio cannot store dropped, cut to 6;
//   a name stored otherwise than written is noted, not refused.
// - TStep, Comment and the digital-voice columns are ignored. Busy Lock is
//   not in the format: a new channel gets Unlock, a used one keeps its own.
// A field whose value is the channel's already is not checked again, so the
// export of any image imports back onto it.
//
// Export: the 21 columns in the order of kChirpHeader, one line per used
// channel. Frequency and Offset in MHz with 6 decimals; Duplex from Tx (same
// "", above "+", below "-", none "off"); Tone from the two tones (none "",
// a Tx CTCSS tone alone "Tone", the same CTCSS tone both ways "TSQL", DCS
// both ways with one code "DTCS", anything else "Cross" with its CrossMode);
// placeholders 88.5 / 023 / NN / "Tone->Tone" where a column is unused, except
// that TSQL writes its tone in both rToneFreq and cToneFreq; Mode FM / NFM;
// TStep the image's Step option in kHz with 2 decimals; Skip "" or "S"; Power
// "5.0W" (High) or "1.0W" (Low); Comment and the digital-voice columns empty.

#include <string>
#include <string_view>

#include "core/channels/TextGrid.h"
#include "core/files/CsvReader.h"
#include "core/radio/RadioImage.h"

namespace torvan {

inline constexpr std::string_view kChirpHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

// True when the header line names the columns Location and Frequency (in any
// letter case): the chirp format.
bool IsChirpHeader(const CsvRecord& header);

// The header line and one line per used channel (Rx Frequency not empty) of
// rows 1..200, each ending in "\n". The grid's words may be of either
// language; `image` gives the Step option.
std::string ExportChirpCsv(const TextGrid& grid, const RadioImage& image);

}  // namespace torvan
