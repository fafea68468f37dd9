<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>vw::Help</name>
    <message>
        <source>没有发现IE无法显示帮助</source>
        <translation>No browser was found to show the help</translation>
    </message>
    <message>
        <source>打开帮助文件时发生错误</source>
        <translation>An error occurred while opening the help file</translation>
    </message>
</context>
<context>
    <name>vw::HelpWindow</name>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>后退</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>前进</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>未找到</source>
        <translation>Not found</translation>
    </message>
</context>
<context>
    <name>vw::Language</name>
    <message>
        <source>zh</source>
        <extracomment>The code of the language this translation is into: the program reads it to tell which language the window speaks, and opens the help page of that language.</extracomment>
        <translation>en</translation>
    </message>
</context>
<context>
    <name>vw::frmAbout</name>
    <message>
        <source>版本 %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>应用程序标题</source>
        <translation>Application title</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>关于我的应用程序</source>
        <translation>About my application</translation>
    </message>
    <message>
        <source>用于修改Ardenfall AI文件的工具</source>
        <translation>A tool for editing Ardenfall AI files</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>关于 %1</source>
        <translation>About %1</translation>
    </message>
</context>
</TS>
