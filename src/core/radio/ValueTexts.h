#pragma once
// The two-language vocabulary of texts that the program's own code produces:
// cell words, grid headers, page names, captions, print labels, option words.
// Chinese texts are UTF-8.

#include <string_view>

namespace torvan {

enum class DisplayLanguage { English, Chinese };

// Chinese exactly when the "Language" value is "Chinese" (case-sensitive);
// English for anything else, including "chinese" and an empty value.
DisplayLanguage DisplayLanguageFromName(std::string_view languageValue);

enum class Text {
  // Channel cell values (grid columns 3..8).
  None, High, Low, Lock, Unlock, Yes, No, Wide, Narrow,
  // Grid column headers, columns 0..9.
  HeaderCh, HeaderRxFrequency, HeaderTxFrequency, HeaderRxTone, HeaderTxTone,
  HeaderPower, HeaderBusyLock, HeaderScanAdd, HeaderBandwidth, HeaderChaName,
  // Page names.
  ProductInformation, ChannelInformation, OptionalFeatures,
  // Transfer dialog captions.
  ReadData, WriteData,
  // Window-title fragments: after a read or an open (two blanks) ...
  CaptionType, CaptionFre,
  // ... and from the product information dialog (one blank).
  TitleType, TitleFre,
  CaptionClose,
  // Channel print labels.
  PrintChannel, PrintChannelN, PrintReceiveFrequency, PrintTransceiveFrequency,
  PrintDecode, PrintEncode, PrintPower, PrintChannelLock, PrintChannelName,
  // Option print labels and words.
  PrintOption, PrintFunction, PrintTimeOutTimer, PrintSquelchLevel, PrintBeep,
  PrintCallTone, PrintChannelDisplay, PrintPriorityScan, PrintBusy,
  PrintPriScanningTime, PrintScanMode, PrintKeypadLock, PrintMode,
  PrintVoiceSensitivity, PrintStep, PrintBatterySaver,
  Off, On, Manual, Auto, WordChannel, WordFrequency, WordMemory, Encoder,
  // PTT ID list words of the option dialog.
  PttOff, PttBeginTx, PttEndTx, PttBoth,
  // Product information.
  Customize, FrequencyInputError,
  // Start-up.
  LoadLanguageDllFail,
  Count_
};

// The text in the given language.
std::string_view TextFor(Text t, DisplayLanguage lang);

// True when `s` is the English or the Chinese form of `t` (exact bytes).
bool IsTextInEitherLanguage(std::string_view s, Text t);

// Grid header of column 0..9.
std::string_view ColumnHeader(int col, DisplayLanguage lang);

}  // namespace torvan
