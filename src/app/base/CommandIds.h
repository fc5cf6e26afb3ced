#pragma once
// Command, control and resource numbers that behaviour depends on: help
// contexts are these numbers, and other parts of the program address commands
// by them.

namespace torvan::cmd {

// File menu (the framework's standard commands).
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelp = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;

// Edit menu: the three pages.
inline constexpr int kProductInformation = 32786;
inline constexpr int kChannelInformation = 32787;
inline constexpr int kOptionalFeatures = 32788;

// Program menu.
inline constexpr int kRead = 32773;
inline constexpr int kWrite = 32774;

// View menu.
inline constexpr int kViewToolbar = 59392;    // the toolbar's own id toggles it
inline constexpr int kViewStatusBar = 59393;  // likewise the status bar
inline constexpr int kViewControlBar = 32780;

// Setup menu.
inline constexpr int kComSetup = 32777;
inline constexpr int kLanguage = 32799;

}  // namespace torvan::cmd

namespace torvan::ctrl {

inline constexpr int kGrid = 1000;           // the channel grid
inline constexpr int kNavigatorBar = 100;    // the docked navigation bar
inline constexpr int kNavigatorTree = 1032;  // its tree
inline constexpr int kLanguageEnglish = 1006;
inline constexpr int kLanguageChinese = 1007;
inline constexpr int kAboutIcon = 1004;

// In-place editors of the grid (their ids are their help contexts).
inline constexpr int kEditRxFreq = 2127;
inline constexpr int kEditTxFreq = 2128;
inline constexpr int kComboRxTone = 2132;
inline constexpr int kComboTxTone = 2133;
inline constexpr int kComboPower = 1129;
inline constexpr int kComboBusyLock = 1127;
inline constexpr int kComboScanAdd = 1134;
inline constexpr int kComboBandwidth = 1135;
inline constexpr int kEditName = 1126;

}  // namespace torvan::ctrl
