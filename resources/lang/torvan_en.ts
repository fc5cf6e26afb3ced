<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BackupOpening</name>
    <message>
        <source>The backup %1 cannot be opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChannelListFiles</name>
    <message>
        <source>Torvan CSV (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generic CSV, chirp format (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to import %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels imported from %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; lines skipped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>; names changed to fit the radio: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to export %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing exported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels exported to %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReadBackupKeeper</name>
    <message>
        <source>The radio&apos;s memory was read, but no backup of it could be kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup folder is not known: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No backup of a read has been kept yet: the backup folder %1 does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backups (*.dat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReadFirstOffer</name>
    <message>
        <source>This document was not read from a radio since the program started. Writing it replaces the radio&apos;s current memory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read and keep the radio&apos;s current memory first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio&apos;s current memory could not be read first, so nothing was written to the radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The radio&apos;s current memory was read but could not be kept, so nothing was written to the radio.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <source>The report has no pages %1-%2; its pages are 1-%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The page has no printable area (%1 x %2 pixels at %3 x %4 dpi)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot start drawing the report on the printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer refused to start page %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer did not finish the report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer to print the report on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer reported an error while printing the report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot prepare the PDF in memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The PDF cannot use this page layout</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CComSetupDialog</name>
    <message>
        <source>Other port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Virtual radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM1 to COM4 are the built-in serial ports /dev/ttyS0 to /dev/ttyS3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for example /dev/ttyUSB0 or COM7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ports found on this computer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(none found: type the port&apos;s name above)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A radio simulated by torvan-radio-sim, for trying the program without a radio. It keeps its memory while the program runs.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not available: torvan-radio-sim is not installed beside the program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a port from the list or type its name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CLanguageDialog</name>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CMainFrame</name>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Product Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the radio type and its frequency band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Channel Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the channel table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the radio&apos;s optional features</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Read    Ctrl+R</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read the radio&apos;s memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Write   Ctrl+W</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the memory to the radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the serial port of the radio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the language of the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Torvan...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show or hide the control bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to open %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to save %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file holds %1 bytes; a radio memory file holds %2 bytes.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A transfer with the radio is running: press Cancel in its window first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open &amp;Backup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open a backup of the memory of a radio read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep a &amp;Backup of Every Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the memory of every radio read in the backup folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is %2 bytes, not a radio memory file of %3 bytes. Open its first %3 bytes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file itself stays as it is: Save asks for a new file name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channels outside the band %1 - %2 MHz: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>They are marked red in the channel table and stay as they are until you change them; a new frequency must lie inside the band.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected cells to the clipboard and empty them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy the selected cells to the clipboard as text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste the clipboard&apos;s cells from the current cell on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select every cell of the channel table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Insert Row	Ctrl++</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert an empty channel at the current row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete Rows	Ctrl+-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove the selected channels; the rows below move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cl&amp;ear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Empty the selected channels where they are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move &amp;Up	Alt+Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected channels up one row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Dow&amp;n	Alt+Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected channels down one row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Set in Selected Rows	Ctrl+Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Give the current cell&apos;s value to this column of every selected channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Channels by &amp;Rx Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort the selected channels (all when none are selected) by receive frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Channels by Na&amp;me</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort the selected channels (all when none are selected) by name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import a channel list (CSV) into the active document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export the channels of the active document as a channel list (CSV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be found. It has been removed from the list of recent files.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A transfer with the radio is running: a file can be opened after it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only a radio memory file (*.dat) can be opened by dropping it here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 files were dropped; one document opens at a time: %2 was opened.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::COptionDialog</name>
    <message>
        <source>LED</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pri-Scanning Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Step</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Priority Scan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emergency Alarm</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Channel Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keypad Lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Beep</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANI Switch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-Out Timer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PTT ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voice Sensitivity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Stun</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Option</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ANI Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stun Code</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CProductInfoDialog</name>
    <message>
        <source>Product Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type Setting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Field</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter both band edges in MHz.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CProgressDialog</name>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Process</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CRefusedLinesDialog</name>
    <message>
        <source>Import Channels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of the %2 lines of %3 cannot be stored in this radio:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import the rest leaves the channels of these lines as they are. Cancel imports nothing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No line of the file can be imported.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Import the rest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CTorvanApp</name>
    <message>
        <source>The language could not be saved in %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The program could not be started again (%1). The new language takes effect the next time you start it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::CTorvanView</name>
    <message>
        <source>Outside the band %1 - %2 MHz: a new value must lie inside it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, channel %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The paste stopped at the last row: 1 line did not fit and was not pasted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The paste stopped at the last row: %1 lines did not fit and were not pasted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 cell lay beyond the last column and was not pasted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cells lay beyond the last column and were not pasted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 cell was not taken: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cells were not taken: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>row %1 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not one of its choices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is outside the band %3-%4 MHz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 is not on the 2.5 kHz or 6.25 kHz raster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No row can be inserted: the last row (%1) holds a channel, which would be pushed out. Delete or move it first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort by Rx Frequency</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n channels</source>
        <translation>
            <numerusform>%1 of %n channel</numerusform>
            <numerusform>%1 of %n channels</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>torvan::HelpWindow</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::TransferController</name>
    <message>
        <source>Writing this document into the radio...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reading the radio&apos;s memory...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK writes this document into the radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK reads the radio&apos;s memory into this document.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This document is not a radio memory and is not written to the radio.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write refused: the radio was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write complete: %1 channels, %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read complete: %1 channels, %2 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The write stopped before its end: the radio now holds an incomplete memory, part new and part old. Write the radio again before using it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of %2 blocks were written.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write stopped: the radio holds an incomplete memory. Write it again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write cancelled: the radio was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write failed: the radio was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read cancelled: the document was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read failed: the document was not changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::TransferHost</name>
    <message>
        <source>Read from the radio</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>torvan::VirtualRadio</name>
    <message>
        <source>%1 could not be started: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 did not name its port.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
