<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
</context>
<context>
    <name>torvan::CNavigatorBar</name>
    <message>
        <source>Close</source>
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
    <name>torvan::HelpWindow</name>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
