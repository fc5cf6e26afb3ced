#pragma once
// The program's one table of command and control numbers. A command's or a
// control's number is its help context: F1 opens the help file at the topic
// of that number. Other parts of the program address commands by them.

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
inline constexpr int kFileOpenBackup = 32810;  // a backup of a read, as a new document
inline constexpr int kFileImportChannels = 32812;  // a channel list file into the active document
inline constexpr int kFileExportChannels = 32813;  // the active document's channels as a channel list file
// The recently used files, newest first (the framework's numbers).
inline constexpr int kFileMruFirst = 57616;
inline constexpr int kFileMruLast = 57619;
inline constexpr int kAppExit = 57665;
inline constexpr int kAppAbout = 57664;
inline constexpr int kHelp = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;

// Edit menu: undo and redo (the framework's numbers), then the three pages.
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kProductInformation = 32786;
inline constexpr int kChannelInformation = 32787;
inline constexpr int kOptionalFeatures = 32788;

// Edit menu: rows and the clipboard (also the channel grid's context menu).
inline constexpr int kEditCut = 32820;
inline constexpr int kEditCopy = 32821;
inline constexpr int kEditPaste = 32822;
inline constexpr int kEditSelectAll = 32823;
inline constexpr int kInsertRow = 32824;
inline constexpr int kDeleteRows = 32825;
inline constexpr int kClearRows = 32826;
inline constexpr int kMoveRowsUp = 32827;
inline constexpr int kMoveRowsDown = 32828;
inline constexpr int kSetInSelectedRows = 32829;  // the bulk edit of a column
inline constexpr int kSortByRxFrequency = 32830;
inline constexpr int kSortByName = 32831;

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
inline constexpr int kBackupReads = 32811;  // keep a backup of every read (check item)

}  // namespace torvan::cmd

namespace torvan::ctrl {

inline constexpr int kGrid = 1000;           // the channel grid
inline constexpr int kSaveQuestion = 61442;  // the question whether to save changes (the framework's number)
inline constexpr int kNavigatorBar = 100;    // the docked navigation bar
inline constexpr int kNavigatorTree = 1032;  // its tree
inline constexpr int kLanguageEnglish = 1006;
inline constexpr int kLanguageChinese = 1007;

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

// The product information dialog.
inline constexpr int kProductType = 1013;
inline constexpr int kProductField = 1009;
inline constexpr int kBandLowerEdge = 1113;
inline constexpr int kBandUpperEdge = 1114;

// The option dialog (Optional Features): a list per option, the two codes
// and Remove Stun.
inline constexpr int kOptionLed = 1119;
inline constexpr int kOptionStep = 1117;
inline constexpr int kOptionBatterySaver = 1120;
inline constexpr int kOptionEmergencyAlarm = 1133;
inline constexpr int kOptionKeypadLock = 1121;
inline constexpr int kOptionSquelchLevel = 1116;
inline constexpr int kOptionTimeOutTimer = 1118;
inline constexpr int kOptionMode = 1128;
inline constexpr int kOptionVoiceSensitivity = 1122;
inline constexpr int kOptionPriScanningTime = 1125;
inline constexpr int kOptionPriorityScan = 1123;
inline constexpr int kOptionScanMode = 1126;
inline constexpr int kOptionChannelDisplay = 1124;
inline constexpr int kOptionBeep = 1132;
inline constexpr int kOptionAniSwitch = 1131;
inline constexpr int kOptionPttId = 1134;
inline constexpr int kAniCode = 1001;
inline constexpr int kRemoveStun = 1002;
inline constexpr int kStunCode = 1003;

}  // namespace torvan::ctrl
