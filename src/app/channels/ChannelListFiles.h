#pragma once
// File > Import Channels... and File > Export Channels...: the channels of a
// document to and from a channel list file, our own CSV or the generic CSV of
// the common multi-radio programming tool (the "chirp" format), through the
// core's channel exchange (core/channels/ChannelListImport.h).
//
// An import reads the file against the grid as it stands and the program's
// band. A file that cannot be read as a whole (missing, not text, too large,
// no header a format is known by) is refused with the core's reason and
// changes nothing. Lines the radio cannot store are listed in one dialog
// (CRefusedLinesDialog): "Import the rest" applies the other lines, Cancel
// nothing. What is applied is one step of the document's undo history.

#include <QString>

class QWidget;

namespace torvan {

struct AppContext;
class CTorvanView;

// Asks for a file and imports it into the document of `view`. Returns what
// the status bar says afterwards: how many channels the import changed, or
// that nothing was imported; empty when the user cancelled the file dialog.
QString ImportChannelListFile(CTorvanView& view, const AppContext& app, QWidget* parent);

// Imports `path` into the document of `view` (the import without its file
// dialog); returns as ImportChannelListFile does.
QString ImportChannelListFrom(const QString& path, CTorvanView& view, const AppContext& app, QWidget* parent);

// Asks for a file name and a format (the file type of the save dialog) and
// writes the channels of `view` there, atomically; a file that cannot be
// written is shown with the reason and left as it was. Returns the status
// bar's text; empty when the user cancelled.
QString ExportChannelListFile(CTorvanView& view, const AppContext& app, QWidget* parent);

}  // namespace torvan
