<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>BackupOpening</name>
    <message>
        <source>The backup %1 cannot be opened.</source>
        <translation>无法打开备份 %1。</translation>
    </message>
</context>
<context>
    <name>ChannelListFiles</name>
    <message>
        <source>Torvan CSV (*.csv)</source>
        <translation>Torvan CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>Generic CSV, chirp format (*.csv)</source>
        <translation>通用 CSV，chirp 格式 (*.csv)</translation>
    </message>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>CSV Files (*.csv)</source>
        <translation>CSV 文件 (*.csv)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
    <message>
        <source>Failed to import %1.</source>
        <translation>无法导入 %1。</translation>
    </message>
    <message>
        <source>Nothing imported.</source>
        <translation>没有导入任何内容。</translation>
    </message>
    <message>
        <source>Channels imported from %1: %2</source>
        <translation>从 %1 导入的信道: %2</translation>
    </message>
    <message>
        <source>; lines skipped: %1</source>
        <translation>；跳过的行: %1</translation>
    </message>
    <message>
        <source>; names changed to fit the radio: %1</source>
        <translation>；为适合电台而改动的名称: %1</translation>
    </message>
    <message>
        <source>Export Channels</source>
        <translation>导出信道</translation>
    </message>
    <message>
        <source>Failed to export %1.</source>
        <translation>无法导出 %1。</translation>
    </message>
    <message>
        <source>Nothing exported.</source>
        <translation>没有导出任何内容。</translation>
    </message>
    <message>
        <source>Channels exported to %1: %2</source>
        <translation>导出到 %1 的信道: %2</translation>
    </message>
</context>
<context>
    <name>ReadBackupKeeper</name>
    <message>
        <source>The radio&apos;s memory was read, but no backup of it could be kept.</source>
        <translation>电台数据已读出，但未能保存其备份。</translation>
    </message>
    <message>
        <source>The backup folder is not known: %1</source>
        <translation>无法确定备份文件夹: %1</translation>
    </message>
    <message>
        <source>No backup of a read has been kept yet: the backup folder %1 does not exist.</source>
        <translation>尚未保存过任何读频备份: 备份文件夹 %1 不存在。</translation>
    </message>
    <message>
        <source>Open Backup</source>
        <translation>打开备份</translation>
    </message>
    <message>
        <source>Backups (*.dat)</source>
        <translation>备份 (*.dat)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>所有文件 (*)</translation>
    </message>
</context>
<context>
    <name>ReadFirstOffer</name>
    <message>
        <source>This document was not read from a radio since the program started. Writing it replaces the radio&apos;s current memory.</source>
        <translation>本文档不是在程序启动后从电台读出的。写频将替换电台当前的数据。</translation>
    </message>
    <message>
        <source>Read and keep the radio&apos;s current memory first</source>
        <translation>先读取并保存电台当前的数据</translation>
    </message>
    <message>
        <source>The radio&apos;s current memory could not be read first, so nothing was written to the radio.</source>
        <translation>未能先读取电台当前的数据，因此没有向电台写入任何数据。</translation>
    </message>
    <message>
        <source>The radio&apos;s current memory was read but could not be kept, so nothing was written to the radio.</source>
        <translation>电台当前的数据已读出但未能保存，因此没有向电台写入任何数据。</translation>
    </message>
</context>
<context>
    <name>ReportPrinting</name>
    <message>
        <source>The report has no pages %1-%2; its pages are 1-%3</source>
        <translation>报表没有第 %1-%2 页；它的页码是 1-%3</translation>
    </message>
    <message>
        <source>The page has no printable area (%1 x %2 pixels at %3 x %4 dpi)</source>
        <translation>页面没有可打印的区域（%1 x %2 像素，%3 x %4 dpi）</translation>
    </message>
    <message>
        <source>Cannot start drawing the report on the printer</source>
        <translation>无法开始在打印机上绘制报表</translation>
    </message>
    <message>
        <source>The printer refused to start page %1</source>
        <translation>打印机拒绝开始第 %1 页</translation>
    </message>
    <message>
        <source>The printer did not finish the report</source>
        <translation>打印机没有完成报表</translation>
    </message>
    <message>
        <source>No printer to print the report on</source>
        <translation>没有可以打印报表的打印机</translation>
    </message>
    <message>
        <source>The printer reported an error while printing the report</source>
        <translation>打印报表时打印机报告了错误</translation>
    </message>
    <message>
        <source>Cannot prepare the PDF in memory</source>
        <translation>无法在内存中准备 PDF</translation>
    </message>
    <message>
        <source>The PDF cannot use this page layout</source>
        <translation>PDF 无法使用这种页面布局</translation>
    </message>
</context>
<context>
    <name>torvan::CComSetupDialog</name>
    <message>
        <source>Other port:</source>
        <translation>其它端口:</translation>
    </message>
    <message>
        <source>Virtual radio</source>
        <translation>虚拟电台</translation>
    </message>
    <message>
        <source>COM Setup</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>COM</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>COM1 to COM4 are the built-in serial ports /dev/ttyS0 to /dev/ttyS3.</source>
        <translation>COM1 至 COM4 即内置串口 /dev/ttyS0 至 /dev/ttyS3。</translation>
    </message>
    <message>
        <source>Other ports</source>
        <translation>其它端口</translation>
    </message>
    <message>
        <source>for example /dev/ttyUSB0 or COM7</source>
        <translation>例如 /dev/ttyUSB0 或 COM7</translation>
    </message>
    <message>
        <source>Ports found on this computer:</source>
        <translation>本机找到的端口:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>(none found: type the port&apos;s name above)</source>
        <translation>(未找到: 请在上面输入端口名称)</translation>
    </message>
    <message>
        <source>A radio simulated by torvan-radio-sim, for trying the program without a radio. It keeps its memory while the program runs.</source>
        <translation>由 torvan-radio-sim 模拟的电台, 无需电台即可试用本程序。程序运行期间它保留其存储内容。</translation>
    </message>
    <message>
        <source>Not available: torvan-radio-sim is not installed beside the program.</source>
        <translation>不可用: 程序所在目录中没有 torvan-radio-sim。</translation>
    </message>
    <message>
        <source>Choose a port from the list or type its name.</source>
        <translation>请从列表中选择端口或输入其名称。</translation>
    </message>
</context>
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
    <message>
        <source>A transfer with the radio is running: press Cancel in its window first.</source>
        <translation>正在与电台传输数据: 请先在其窗口中按&quot;取消&quot;。</translation>
    </message>
    <message>
        <source>Open &amp;Backup...</source>
        <translation>打开备份(&amp;B)...</translation>
    </message>
    <message>
        <source>Open a backup of the memory of a radio read</source>
        <translation>打开一次读频所保存的电台数据备份</translation>
    </message>
    <message>
        <source>Keep a &amp;Backup of Every Read</source>
        <translation>保存每次读频的备份(&amp;B)</translation>
    </message>
    <message>
        <source>Keep the memory of every radio read in the backup folder</source>
        <translation>把每次读出的电台数据保存到备份文件夹</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>撤销(&amp;U)	Ctrl+Z</translation>
    </message>
    <message>
        <source>Undo the last change</source>
        <translation>撤销最后一次修改</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>重做(&amp;R)	Ctrl+Y</translation>
    </message>
    <message>
        <source>Redo the change undone last</source>
        <translation>恢复最后撤销的修改</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>more than %1</source>
        <translation>超过 %1</translation>
    </message>
    <message>
        <source>%1 is %2 bytes, not a radio memory file of %3 bytes. Open its first %3 bytes?</source>
        <translation>%1 有 %2 字节，不是 %3 字节的电台数据文件。是否打开它的前 %3 字节?</translation>
    </message>
    <message>
        <source>The file itself stays as it is: Save asks for a new file name.</source>
        <translation>文件本身保持不变: 保存时会要求输入新的文件名。</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>是否保存对 %1 的修改?</translation>
    </message>
    <message>
        <source>Channels outside the band %1 - %2 MHz: %3</source>
        <translation>超出频段 %1 - %2 MHz 的信道: %3</translation>
    </message>
    <message>
        <source>They are marked red in the channel table and stay as they are until you change them; a new frequency must lie inside the band.</source>
        <translation>这些信道在信道表中以红色标出，在您修改之前保持不变；新输入的频率必须在频段之内。</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>撤销(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>重做(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>剪切(&amp;T)	Ctrl+X</translation>
    </message>
    <message>
        <source>Copy the selected cells to the clipboard and empty them</source>
        <translation>把选中的单元格复制到剪贴板并清空它们</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>复制(&amp;C)	Ctrl+C</translation>
    </message>
    <message>
        <source>Copy the selected cells to the clipboard as text</source>
        <translation>把选中的单元格以文字复制到剪贴板</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>粘贴(&amp;P)	Ctrl+V</translation>
    </message>
    <message>
        <source>Paste the clipboard&apos;s cells from the current cell on</source>
        <translation>从当前单元格开始粘贴剪贴板中的单元格</translation>
    </message>
    <message>
        <source>Select &amp;All	Ctrl+A</source>
        <translation>全选(&amp;A)	Ctrl+A</translation>
    </message>
    <message>
        <source>Select every cell of the channel table</source>
        <translation>选中信道表的全部单元格</translation>
    </message>
    <message>
        <source>&amp;Insert Row	Ctrl++</source>
        <translation>插入行(&amp;I)	Ctrl++</translation>
    </message>
    <message>
        <source>Insert an empty channel at the current row</source>
        <translation>在当前行插入一个空信道</translation>
    </message>
    <message>
        <source>&amp;Delete Rows	Ctrl+-</source>
        <translation>删除行(&amp;D)	Ctrl+-</translation>
    </message>
    <message>
        <source>Remove the selected channels; the rows below move up</source>
        <translation>删除选中的信道，其下各行上移</translation>
    </message>
    <message>
        <source>Cl&amp;ear</source>
        <translation>清除(&amp;E)</translation>
    </message>
    <message>
        <source>Empty the selected channels where they are</source>
        <translation>在原位置清空选中的信道</translation>
    </message>
    <message>
        <source>Move &amp;Up	Alt+Up</source>
        <translation>上移(&amp;U)	Alt+Up</translation>
    </message>
    <message>
        <source>Move the selected channels up one row</source>
        <translation>把选中的信道上移一行</translation>
    </message>
    <message>
        <source>Move Dow&amp;n	Alt+Down</source>
        <translation>下移(&amp;N)	Alt+Down</translation>
    </message>
    <message>
        <source>Move the selected channels down one row</source>
        <translation>把选中的信道下移一行</translation>
    </message>
    <message>
        <source>&amp;Set in Selected Rows	Ctrl+Enter</source>
        <translation>设置到选中行(&amp;S)	Ctrl+Enter</translation>
    </message>
    <message>
        <source>Give the current cell&apos;s value to this column of every selected channel</source>
        <translation>把当前单元格的值设置到每个选中信道的这一列</translation>
    </message>
    <message>
        <source>Sort Channels by &amp;Rx Frequency</source>
        <translation>按接收频率排序(&amp;R)</translation>
    </message>
    <message>
        <source>Sort the selected channels (all when none are selected) by receive frequency</source>
        <translation>按接收频率对选中的信道排序（未选中时对全部信道排序）</translation>
    </message>
    <message>
        <source>Sort Channels by Na&amp;me</source>
        <translation>按名字排序(&amp;M)</translation>
    </message>
    <message>
        <source>Sort the selected channels (all when none are selected) by name</source>
        <translation>按信道名字对选中的信道排序（未选中时对全部信道排序）</translation>
    </message>
    <message>
        <source>&amp;Import Channels...</source>
        <translation>导入信道(&amp;I)...</translation>
    </message>
    <message>
        <source>Import a channel list (CSV) into the active document</source>
        <translation>把信道列表 (CSV) 导入当前文档</translation>
    </message>
    <message>
        <source>&amp;Export Channels...</source>
        <translation>导出信道(&amp;E)...</translation>
    </message>
    <message>
        <source>Export the channels of the active document as a channel list (CSV)</source>
        <translation>把当前文档的信道导出为信道列表 (CSV)</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>打开此文档</translation>
    </message>
    <message>
        <source>%1 cannot be found. It has been removed from the list of recent files.</source>
        <translation>找不到 %1。已将它从最近文件列表中删除。</translation>
    </message>
    <message>
        <source>A transfer with the radio is running: a file can be opened after it.</source>
        <translation>正在与电台传输数据：传输结束后才能打开文件。</translation>
    </message>
    <message>
        <source>Only a radio memory file (*.dat) can be opened by dropping it here.</source>
        <translation>拖放到这里只能打开电台数据文件（*.dat）。</translation>
    </message>
    <message>
        <source>%1 files were dropped; one document opens at a time: %2 was opened.</source>
        <translation>拖放了 %1 个文件；一次只打开一个文档：已打开 %2。</translation>
    </message>
</context>
<context>
    <name>torvan::COptionDialog</name>
    <message>
        <source>LED</source>
        <translation>LED</translation>
    </message>
    <message>
        <source>Pri-Scanning Time</source>
        <translation>预扫描时间</translation>
    </message>
    <message>
        <source>Step</source>
        <translation>步长</translation>
    </message>
    <message>
        <source>Priority Scan</source>
        <translation>优先扫描</translation>
    </message>
    <message>
        <source>Battery Saver</source>
        <translation>电池省电</translation>
    </message>
    <message>
        <source>Scan Mode</source>
        <translation>扫描模式</translation>
    </message>
    <message>
        <source>Emergency Alarm</source>
        <translation>紧急报警</translation>
    </message>
    <message>
        <source>Channel Display</source>
        <translation>信道显示</translation>
    </message>
    <message>
        <source>Keypad Lock</source>
        <translation>键盘锁定</translation>
    </message>
    <message>
        <source>Beep</source>
        <translation>提示音</translation>
    </message>
    <message>
        <source>Squelch Level</source>
        <translation>静噪电平</translation>
    </message>
    <message>
        <source>ANI Switch</source>
        <translation>ANI 开关</translation>
    </message>
    <message>
        <source>Time-Out Timer</source>
        <translation>超时定时器</translation>
    </message>
    <message>
        <source>PTT ID</source>
        <translation>PTT ID</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Voice Sensitivity</source>
        <translation>声控灵敏度</translation>
    </message>
    <message>
        <source>Remove Stun</source>
        <translation>解除遥毙</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>可选功能</translation>
    </message>
    <message>
        <source>ANI Code</source>
        <translation>ANI 码</translation>
    </message>
    <message>
        <source>Stun Code</source>
        <translation>遥毙码</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>torvan::CProductInfoDialog</name>
    <message>
        <source>Product Information</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Type Setting</source>
        <translation>类型设置</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>类型</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>频段</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Please enter both band edges in MHz.</source>
        <translation>请输入频段的起始和结束频率 (MHz)。</translation>
    </message>
</context>
<context>
    <name>torvan::CProgressDialog</name>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Process</source>
        <translation>进度</translation>
    </message>
</context>
<context>
    <name>torvan::CRefusedLinesDialog</name>
    <message>
        <source>Import Channels</source>
        <translation>导入信道</translation>
    </message>
    <message>
        <source>%1 of the %2 lines of %3 cannot be stored in this radio:</source>
        <translation>%3 的 %2 行中有 %1 行无法存入本电台:</translation>
    </message>
    <message>
        <source>Import the rest leaves the channels of these lines as they are. Cancel imports nothing.</source>
        <translation>“导入其余的行”导入其他行，这些行对应的信道保持原样。“取消”什么都不导入。</translation>
    </message>
    <message>
        <source>No line of the file can be imported.</source>
        <translation>文件中没有可以导入的行。</translation>
    </message>
    <message>
        <source>&amp;Import the rest</source>
        <translation>导入其余的行(&amp;I)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
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
    <name>torvan::CTorvanView</name>
    <message>
        <source>Outside the band %1 - %2 MHz: a new value must lie inside it.</source>
        <translation>超出频段 %1 - %2 MHz: 新输入的值必须在频段之内。</translation>
    </message>
    <message>
        <source>%1, channel %2</source>
        <translation>%1，信道 %2</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>剪切</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>The paste stopped at the last row: 1 line did not fit and was not pasted.</source>
        <translation>粘贴在最后一行停止: 有 1 行放不下，没有粘贴。</translation>
    </message>
    <message>
        <source>The paste stopped at the last row: %1 lines did not fit and were not pasted.</source>
        <translation>粘贴在最后一行停止: 有 %1 行放不下，没有粘贴。</translation>
    </message>
    <message>
        <source>1 cell lay beyond the last column and was not pasted.</source>
        <translation>有 1 个单元格超出最后一列，没有粘贴。</translation>
    </message>
    <message>
        <source>%1 cells lay beyond the last column and were not pasted.</source>
        <translation>有 %1 个单元格超出最后一列，没有粘贴。</translation>
    </message>
    <message>
        <source>1 cell was not taken: %1</source>
        <translation>有 1 个单元格未被接受: %1</translation>
    </message>
    <message>
        <source>%1 cells were not taken: %2</source>
        <translation>有 %1 个单元格未被接受: %2</translation>
    </message>
    <message>
        <source>row %1 %2</source>
        <translation>第 %1 行 %2</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; is not one of its choices</source>
        <translation>%1 &quot;%2&quot; 不是可选的值</translation>
    </message>
    <message>
        <source>%1 %2 is outside the band %3-%4 MHz</source>
        <translation>%1 %2 超出频段 %3-%4 MHz</translation>
    </message>
    <message>
        <source>%1 %2 is not on the 2.5 kHz or 6.25 kHz raster</source>
        <translation>%1 %2 不符合 2.5 kHz 或 6.25 kHz 信道步进</translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translation>%1 %2: %3</translation>
    </message>
    <message>
        <source>No row can be inserted: the last row (%1) holds a channel, which would be pushed out. Delete or move it first.</source>
        <translation>无法插入行: 最后一行（%1）有信道，插入会把它挤出表格。请先删除或移动它。</translation>
    </message>
    <message>
        <source>Insert Row</source>
        <translation>插入行</translation>
    </message>
    <message>
        <source>Delete Rows</source>
        <translation>删除行</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Sort by Name</source>
        <translation>按名字排序</translation>
    </message>
    <message>
        <source>Sort by Rx Frequency</source>
        <translation>按接收频率排序</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n channels</source>
        <translation>
            <numerusform>%n 个信道的%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>torvan::HelpWindow</name>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
</context>
<context>
    <name>torvan::TransferController</name>
    <message>
        <source>Writing this document into the radio...</source>
        <translation>正在把本文档写入电台...</translation>
    </message>
    <message>
        <source>Reading the radio&apos;s memory...</source>
        <translation>正在读取电台数据...</translation>
    </message>
    <message>
        <source>OK writes this document into the radio.</source>
        <translation>按&quot;确定&quot;把本文档写入电台。</translation>
    </message>
    <message>
        <source>OK reads the radio&apos;s memory into this document.</source>
        <translation>按&quot;确定&quot;把电台数据读入本文档。</translation>
    </message>
    <message>
        <source>This document is not a radio memory and is not written to the radio.</source>
        <translation>本文档不是电台数据，不会写入电台。</translation>
    </message>
    <message>
        <source>Write refused: the radio was not changed.</source>
        <translation>写频被拒绝: 电台未被改动。</translation>
    </message>
    <message>
        <source>Write complete: %1 channels, %2 s</source>
        <translation>写频完成: %1 个信道，%2 秒</translation>
    </message>
    <message>
        <source>Read complete: %1 channels, %2 s</source>
        <translation>读频完成: %1 个信道，%2 秒</translation>
    </message>
    <message>
        <source>The write stopped before its end: the radio now holds an incomplete memory, part new and part old. Write the radio again before using it.</source>
        <translation>写频未完成就停止了: 电台现在的数据不完整，一部分是新的，一部分是旧的。使用电台之前请重新写频。</translation>
    </message>
    <message>
        <source>%1 of %2 blocks were written.</source>
        <translation>已写入 %2 块中的 %1 块。</translation>
    </message>
    <message>
        <source>Write stopped: the radio holds an incomplete memory. Write it again.</source>
        <translation>写频中断: 电台数据不完整。请重新写频。</translation>
    </message>
    <message>
        <source>Write cancelled: the radio was not changed.</source>
        <translation>写频已取消: 电台未被改动。</translation>
    </message>
    <message>
        <source>Write failed: the radio was not changed.</source>
        <translation>写频失败: 电台未被改动。</translation>
    </message>
    <message>
        <source>Read cancelled: the document was not changed.</source>
        <translation>读频已取消: 文档未被改动。</translation>
    </message>
    <message>
        <source>Read failed: the document was not changed.</source>
        <translation>读频失败: 文档未被改动。</translation>
    </message>
</context>
<context>
    <name>torvan::TransferHost</name>
    <message>
        <source>Read from the radio</source>
        <translation>从电台读频</translation>
    </message>
</context>
<context>
    <name>torvan::VirtualRadio</name>
    <message>
        <source>%1 could not be started: %2</source>
        <translation>无法启动 %1: %2</translation>
    </message>
    <message>
        <source>%1 did not name its port.</source>
        <translation>%1 没有给出其端口。</translation>
    </message>
</context>
</TS>
