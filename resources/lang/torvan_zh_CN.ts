<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>torvan::CLanguageDialog</name>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
</context>
<context>
    <name>torvan::CMainFrame</name>
    <message>
        <source>Ready</source>
        <translation>就绪</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>新建(&amp;N)	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>新建一个文档</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>打开(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>打开一个已有的文档</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>关闭(&amp;C)</translation>
    </message>
    <message>
        <source>Close the active document</source>
        <translation>关闭当前文档</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>保存当前文档</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>另存为(&amp;A)...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>用新的文件名保存当前文档</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>打印(&amp;P)...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>打印当前文档</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>打印预览(&amp;V)</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>显示整页</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>打印设置(&amp;R)...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>更改打印机和打印选项</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>退出(&amp;X)</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>退出程序</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>编辑(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Product Information</source>
        <translation>类型设置(&amp;P)</translation>
    </message>
    <message>
        <source>Choose the radio type and its frequency band</source>
        <translation>选择电台类型和频段</translation>
    </message>
    <message>
        <source>&amp;Channel Information</source>
        <translation>信道信息(&amp;C)</translation>
    </message>
    <message>
        <source>Show the channel table</source>
        <translation>显示信道表</translation>
    </message>
    <message>
        <source>&amp;Optional Features</source>
        <translation>可选功能(&amp;O)</translation>
    </message>
    <message>
        <source>Edit the radio&apos;s optional features</source>
        <translation>编辑电台的可选功能</translation>
    </message>
    <message>
        <source>&amp;Program</source>
        <translation>编程(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Read    Ctrl+R</source>
        <translation>读频(&amp;R)    Ctrl+R</translation>
    </message>
    <message>
        <source>Read the radio&apos;s memory</source>
        <translation>从电台读取数据</translation>
    </message>
    <message>
        <source>&amp;Write   Ctrl+W</source>
        <translation>写频(&amp;W)   Ctrl+W</translation>
    </message>
    <message>
        <source>Write the memory to the radio</source>
        <translation>把数据写入电台</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>查看(&amp;V)</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>工具栏</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>工具栏(&amp;T)</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>显示或隐藏工具栏</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>状态栏(&amp;S)</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>显示或隐藏状态栏</translation>
    </message>
    <message>
        <source>&amp;Setup</source>
        <translation>设置(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Com Setup</source>
        <translation>串口设置(&amp;C)</translation>
    </message>
    <message>
        <source>Choose the serial port of the radio</source>
        <translation>选择连接电台的串口</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>Choose the language of the program</source>
        <translation>选择程序的语言</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Torvan...</source>
        <translation>关于 Torvan(&amp;A)...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>显示程序信息、版本号和版权</translation>
    </message>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>读频</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>写频</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>下一窗格</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>上一窗格</translation>
    </message>
    <message>
        <source>&amp;Control Bar</source>
        <translation>控制栏(&amp;C)</translation>
    </message>
    <message>
        <source>Show or hide the control bar</source>
        <translation>显示或隐藏控制栏</translation>
    </message>
    <message>
        <source>Failed to open %1.</source>
        <translation>无法打开 %1。</translation>
    </message>
    <message>
        <source>Failed to save %1.</source>
        <translation>无法保存 %1。</translation>
    </message>
    <message>
        <source>The file does not exist.</source>
        <translation>文件不存在。</translation>
    </message>
    <message>
        <source>It is a folder, not a file.</source>
        <translation>这是一个文件夹，不是文件。</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>文件无法读取。</translation>
    </message>
    <message>
        <source>The file holds %1 bytes; a radio memory file holds %2 bytes.</source>
        <translation>文件只有 %1 字节；电台数据文件应为 %2 字节。</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>另存为</translation>
    </message>
</context>
<context>
    <name>torvan::CNavigatorBar</name>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>torvan::CTorvanApp</name>
    <message>
        <source>The language could not be saved in %1.</source>
        <translation>无法把语言设置保存到 %1。</translation>
    </message>
    <message>
        <source>The program could not be started again (%1). The new language takes effect the next time you start it.</source>
        <translation>程序无法重新启动（%1）。新的语言将在下次启动时生效。</translation>
    </message>
</context>
<context>
    <name>torvan::HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
</TS>
