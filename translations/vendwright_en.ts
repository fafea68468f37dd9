<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CatalogueFiles</name>
    <message>
        <source>读取超时</source>
        <translation>Reading timed out</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>读取程序异常退出</source>
        <translation>The reading program ended abnormally</translation>
    </message>
    <message>
        <source>无法启动读取程序：%1</source>
        <translation>Cannot start the reading program: %1</translation>
    </message>
    <message>
        <source>含有视图“%1”，只读取数据表</source>
        <translation>Contains the view “%1”; only data tables are read</translation>
    </message>
    <message>
        <source>含有触发器“%1”，只读取数据表</source>
        <translation>Contains the trigger “%1”; only data tables are read</translation>
    </message>
    <message>
        <source>含有虚拟表“%1”，只读取数据表</source>
        <translation>Contains the virtual table “%1”; only data tables are read</translation>
    </message>
    <message>
        <source>找不到物品数据库文件：%1</source>
        <translation>Item database file not found: %1</translation>
    </message>
    <message>
        <source>物品数据库不是普通文件：%1</source>
        <translation>The item database is not a regular file: %1</translation>
    </message>
    <message>
        <source>物品数据库文件是空的：%1</source>
        <translation>The item database file is empty: %1</translation>
    </message>
    <message>
        <source>无法读取物品数据库文件：%1</source>
        <translation>Cannot read the item database file: %1</translation>
    </message>
    <message>
        <source>无法识别的物品数据库文件：%1</source>
        <translation>Unrecognised item database file: %1</translation>
    </message>
    <message>
        <source>物品数据库缺少数据表“%1”：%2</source>
        <translation>The item database lacks the table “%1”: %2</translation>
    </message>
    <message>
        <source>物品数据库的数据表“%1”缺少字段“%2”：%3</source>
        <translation>The table “%1” of the item database lacks the column “%2”: %3</translation>
    </message>
    <message>
        <source>已改用程序目录中的物品数据库：%1</source>
        <translation>Now using the item database in the program folder: %1</translation>
    </message>
    <message>
        <source>请选择物品数据库文件</source>
        <translation>Choose the item database file</translation>
    </message>
    <message>
        <source>物品数据库(*.mdb *.accdb *.db *.sqlite)|*.mdb;*.accdb;*.db;*.sqlite|所有文件(*.*)|*.*</source>
        <translation>Item databases (*.mdb *.accdb *.db *.sqlite)|*.mdb;*.accdb;*.db;*.sqlite|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>已装入物品数据库：%1</source>
        <translation>Item database loaded: %1</translation>
    </message>
    <message>
        <source>共%1个地点%2类物品</source>
        <translation>%1 locations, %2 item categories</translation>
    </message>
</context>
<context>
    <name>EditTexts</name>
    <message>
        <source>%1-商品列表</source>
        <translation>%1 - Sell list</translation>
    </message>
    <message>
        <source>请先装入AI文件</source>
        <translation>Load an AI file first</translation>
    </message>
    <message>
        <source>物品ID为空或含有“{”、“}”、“;”或换行</source>
        <translation>The item ID is empty or contains “{”, “}”, “;” or a line break</translation>
    </message>
    <message>
        <source>已有相同物品在此列表中</source>
        <translation>The same item is already in this list</translation>
    </message>
    <message>
        <source>（未知物品）</source>
        <translation>(unknown item)</translation>
    </message>
    <message>
        <source>税率不能为空</source>
        <translation>The tax rate cannot be empty</translation>
    </message>
    <message>
        <source>税率必须是非负数字</source>
        <translation>The tax rate must be a non-negative number</translation>
    </message>
</context>
<context>
    <name>RecoveryOffer</name>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>稍后</source>
        <translation>Later</translation>
    </message>
    <message>
        <source>另存修改</source>
        <translation>Save the edits</translation>
    </message>
    <message>
        <source>修改文件(*.txt)|*.txt|所有文件(*.*)|*.*</source>
        <translation>Edit files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>写出修改文件时发生错误：%1</source>
        <translation>An error occurred while writing the edit file: %1</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Recover</translation>
    </message>
    <message>
        <source>这些修改属于AI文件%1，它已不是装入的文件，修改保留到下次装入它时</source>
        <translation>These edits belong to the AI file %1, which is no longer the one loaded; they are kept until it is loaded again</translation>
    </message>
    <message numerus="yes">
        <source>发现上次未写出的修改（%n个列表），但AI文件在此之后已被修改，无法恢复。是否将这些修改另存为修改文件？</source>
        <translation>
            <numerusform>Unwritten edits from last time were found (%n list), but the AI file has changed since then, so they cannot be recovered. Save these edits as an edit file?</numerusform>
            <numerusform>Unwritten edits from last time were found (%n lists), but the AI file has changed since then, so they cannot be recovered. Save these edits as an edit file?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>发现上次未写出的修改（%n个列表），是否恢复？</source>
        <translation>
            <numerusform>Unwritten edits from last time were found (%n list). Recover them?</numerusform>
            <numerusform>Unwritten edits from last time were found (%n lists). Recover them?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已恢复%n个列表的修改</source>
        <translation>
            <numerusform>Recovered the edits of %n list</numerusform>
            <numerusform>Recovered the edits of %n lists</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ScriptFiles</name>
    <message>
        <source>AI obj Files(*.obj)|*.obj|所有文件(*.*)|*.*</source>
        <translation>AI obj Files(*.obj)|*.obj|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>请选择原始AI文件</source>
        <translation>Choose the original AI file</translation>
    </message>
    <message>
        <source>已选择AI文件：%1，按“装入AI文件”读取</source>
        <translation>AI file chosen: %1; press “Load AI File” to read it</translation>
    </message>
    <message>
        <source>没有指定AI文件</source>
        <translation>No AI file was given</translation>
    </message>
    <message>
        <source>指定文件不存在：
%1</source>
        <translation>The file does not exist:
%1</translation>
    </message>
    <message>
        <source>指定文件不是普通文件：
%1</source>
        <translation>The file is not a regular file:
%1</translation>
    </message>
    <message>
        <source>开始读取AI文件...</source>
        <translation>Reading the AI file...</translation>
    </message>
    <message>
        <source>已经读取%1行..</source>
        <translation>Read %1 lines..</translation>
    </message>
    <message>
        <source>读取AI文件失败</source>
        <translation>Reading the AI file failed</translation>
    </message>
    <message>
        <source>无法打开指定的AI文件</source>
        <translation>Cannot open the AI file</translation>
    </message>
    <message>
        <source>指定文件不是UTF-16编码的AI文件</source>
        <translation>The file is not a UTF-16 encoded AI file</translation>
    </message>
    <message>
        <source>读取AI文件时发生错误</source>
        <translation>An error occurred while reading the AI file</translation>
    </message>
    <message>
        <source>共读取%1行</source>
        <translation>%1 lines read</translation>
    </message>
    <message>
        <source>请选择输出AI文件</source>
        <translation>Choose the output AI file</translation>
    </message>
    <message>
        <source>正在写出文件,请稍等...</source>
        <translation>Writing the file, please wait...</translation>
    </message>
    <message>
        <source>出于安全原因,不允许覆盖当前源AI文件</source>
        <translation>For safety, the source AI file cannot be overwritten</translation>
    </message>
    <message>
        <source>输出文件不是普通文件</source>
        <translation>The output file is not a regular file</translation>
    </message>
    <message>
        <source>源AI文件在装入后已被修改或删除,请重新装入后再写出</source>
        <translation>The source AI file was changed or deleted after it was loaded; load it again before writing</translation>
    </message>
    <message>
        <source>读取源AI文件时发生错误：%1</source>
        <translation>An error occurred while reading the source AI file: %1</translation>
    </message>
    <message>
        <source>写出文件时发生错误：%1</source>
        <translation>An error occurred while writing the file: %1</translation>
    </message>
    <message>
        <source>写出文件时发生错误：磁盘空间不足</source>
        <translation>An error occurred while writing the file: the disk is full</translation>
    </message>
    <message>
        <source>写出失败</source>
        <translation>Writing failed</translation>
    </message>
    <message>
        <source>写出成功,共写入%1个已修改列表</source>
        <translation>Written successfully: %1 edited lists</translation>
    </message>
    <message>
        <source>以下列表在源文件中的位置不完整,未写入,保持原样：
</source>
        <translation>The following lists are incomplete in the source file; they were not written and stay as they were:
</translation>
    </message>
    <message numerus="yes">
        <source>已经写入%n个列表...</source>
        <translation>
            <numerusform>%n list written...</numerusform>
            <numerusform>%n lists written...</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>StatisticsReport</name>
    <message>
        <source>不在物品库中</source>
        <translation>Not in the item database</translation>
    </message>
    <message>
        <source>未放置的NPC</source>
        <translation>Unplaced NPCs</translation>
    </message>
    <message>
        <source>其他种类</source>
        <translation>Other categories</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Tax rate</translation>
    </message>
    <message>
        <source>物品数</source>
        <translation>Items</translation>
    </message>
    <message>
        <source>列表的物品数</source>
        <translation>Items in the list</translation>
    </message>
    <message>
        <source>列表数</source>
        <translation>Lists</translation>
    </message>
    <message>
        <source>zh-CN</source>
        <comment>the HTML language code of these texts</comment>
        <translation>en</translation>
    </message>
    <message>
        <source>AI文件统计</source>
        <translation>AI file statistics</translation>
    </message>
    <message>
        <source>%1-商品列表</source>
        <translation>%1 - Sell list</translation>
    </message>
    <message>
        <source>（空）</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>物品数据库查询出错：</source>
        <translation>Item database query error: </translation>
    </message>
    <message>
        <source>总计</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>NPC数</source>
        <translation>NPCs</translation>
    </message>
    <message>
        <source>不同物品数</source>
        <translation>Distinct items</translation>
    </message>
    <message>
        <source>各地点</source>
        <translation>By location</translation>
    </message>
    <message numerus="yes">
        <source>共%n个地点，以下列出不同物品最多的%1个。</source>
        <translation>
            <numerusform>%n location; listed below are the %1 with the most distinct items.</numerusform>
            <numerusform>%n locations; listed below are the %1 with the most distinct items.</numerusform>
        </translation>
    </message>
    <message>
        <source>地点</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>有物品的NPC</source>
        <translation>NPCs with items</translation>
    </message>
    <message>
        <source>各种类下为不同物品的数目。</source>
        <translation>The number of distinct items in each category.</translation>
    </message>
    <message>
        <source>没有NPC出售的物品</source>
        <translation>Items no NPC sells</translation>
    </message>
    <message numerus="yes">
        <source>物品库中共有%n项物品没有NPC出售。</source>
        <translation>
            <numerusform>%n item of the item database is sold by no NPC.</numerusform>
            <numerusform>%n items of the item database are sold by no NPC.</numerusform>
        </translation>
    </message>
    <message>
        <source>种类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>级别</source>
        <translation>Grade</translation>
    </message>
    <message numerus="yes">
        <source>按物品ID的前%n项</source>
        <translation>
            <numerusform>The first %n by item ID</numerusform>
            <numerusform>The first %n by item ID</numerusform>
        </translation>
    </message>
    <message>
        <source>物品ID</source>
        <translation>Item ID</translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation>Chinese name</translation>
    </message>
    <message>
        <source>英文名称</source>
        <translation>English name</translation>
    </message>
    <message>
        <source>只有一个NPC出售的物品</source>
        <translation>Items sold by only one NPC</translation>
    </message>
    <message numerus="yes">
        <source>共%n项物品。</source>
        <translation>
            <numerusform>%n item.</numerusform>
            <numerusform>%n items.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共%n项物品，以下列出前%1项。</source>
        <translation>
            <numerusform>%n item; the first %1 are listed below.</numerusform>
            <numerusform>%n items; the first %1 are listed below.</numerusform>
        </translation>
    </message>
    <message>
        <source>NPC</source>
        <translation>NPC</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List</translation>
    </message>
    <message>
        <source>空的或少于%1项物品的列表</source>
        <translation>Lists that are empty or hold fewer than %1 items</translation>
    </message>
    <message numerus="yes">
        <source>共%n个列表。</source>
        <translation>
            <numerusform>%n list.</numerusform>
            <numerusform>%n lists.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共%n个列表，以下列出前%1项。</source>
        <translation>
            <numerusform>%n list; the first %1 are listed below.</numerusform>
            <numerusform>%n lists; the first %1 are listed below.</numerusform>
        </translation>
    </message>
    <message>
        <source>列表长度的分布</source>
        <translation>Distribution of list lengths</translation>
    </message>
    <message>
        <source>没有列表。</source>
        <translation>No lists.</translation>
    </message>
    <message>
        <source>税率的分布</source>
        <translation>Distribution of tax rates</translation>
    </message>
    <message numerus="yes">
        <source>共%n种税率。</source>
        <translation>
            <numerusform>%n tax rate.</numerusform>
            <numerusform>%n tax rates.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共%n种税率，以下列出前%1项。</source>
        <translation>
            <numerusform>%n tax rate; the first %1 are listed below.</numerusform>
            <numerusform>%n tax rates; the first %1 are listed below.</numerusform>
        </translation>
    </message>
    <message>
        <source>不是数字的税率</source>
        <translation>Tax rates that are not numbers</translation>
    </message>
    <message>
        <source>首个物品</source>
        <translation>First item</translation>
    </message>
    <message>
        <source>在不同列表中税率不同的物品</source>
        <translation>Items with different tax rates in different lists</translation>
    </message>
    <message>
        <source>税率（列表数）</source>
        <translation>Tax rate (lists)</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a tax rate and the lists that use it</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message numerus="yes">
        <source>…及其他%n种</source>
        <comment>tax rates</comment>
        <translation>
            <numerusform>…and %n more</numerusform>
            <numerusform>…and %n more</numerusform>
        </translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the tax rates of one item</comment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>…及其他%n项</source>
        <translation>
            <numerusform>…and %n more</numerusform>
            <numerusform>…and %n more</numerusform>
        </translation>
    </message>
    <message>
        <source>请先装入AI文件</source>
        <translation>Load an AI file first</translation>
    </message>
</context>
<context>
    <name>WindowWidgets</name>
    <message>
        <source>选择地点</source>
        <translation>Choose a location</translation>
    </message>
    <message>
        <source>选择NPC名字</source>
        <translation>Choose an NPC name</translation>
    </message>
    <message>
        <source>选择列表</source>
        <translation>Choose a list</translation>
    </message>
    <message>
        <source>选择物品种类</source>
        <translation>Choose an item category</translation>
    </message>
    <message>
        <source>选择详细种类</source>
        <translation>Choose a type</translation>
    </message>
    <message>
        <source>选择物品级别</source>
        <translation>Choose an item grade</translation>
    </message>
    <message>
        <source>当前税率</source>
        <translation>Current tax rate</translation>
    </message>
    <message>
        <source>全部物品</source>
        <translation>All items</translation>
    </message>
    <message>
        <source>出售列表</source>
        <translation>Sell list</translation>
    </message>
    <message>
        <source>物品库</source>
        <translation>Item database</translation>
    </message>
    <message>
        <source>搜索物品ID、中文名称或英文名称</source>
        <translation>Search item ID, Chinese name or English name</translation>
    </message>
    <message>
        <source>在全部物品中搜索，不受种类、详细种类和级别的限制</source>
        <translation>Search all items, not limited by category, type or grade</translation>
    </message>
    <message>
        <source>筛选NPC</source>
        <translation>Filter NPCs</translation>
    </message>
    <message>
        <source>出售此物品的NPC</source>
        <translation>NPCs selling this item</translation>
    </message>
    <message>
        <source>NPC</source>
        <translation>NPC</translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation>Chinese name</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>List</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Tax rate</translation>
    </message>
    <message>
        <source>地点</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>检查结果</source>
        <translation>Check results</translation>
    </message>
    <message>
        <source>行号</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>跳过的物品</source>
        <translation>Skipped items</translation>
    </message>
    <message>
        <source>物品ID</source>
        <translation>Item ID</translation>
    </message>
    <message>
        <source>原因</source>
        <translation>Reason</translation>
    </message>
    <message>
        <source>查看修改</source>
        <translation>View Changes</translation>
    </message>
    <message>
        <source>变化</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>物品名称</source>
        <translation>Item name</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>导入时跳过的行</source>
        <translation>Lines skipped on import</translation>
    </message>
    <message>
        <source>页面</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>出售物品</source>
        <translation>Items sold</translation>
    </message>
    <message>
        <source>传送座标</source>
        <translation>Teleport coordinates</translation>
    </message>
    <message>
        <source>HTML统计</source>
        <translation>HTML statistics</translation>
    </message>
    <message>
        <source>写出目标文件</source>
        <translation>Write Target File</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Exit Program</translation>
    </message>
    <message>
        <source>种类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>详细种类</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>级别</source>
        <translation>Grade</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>装入AI文件</source>
        <translation>Load AI File</translation>
    </message>
    <message>
        <source>插入选中项之前</source>
        <translation>Insert Before Selection</translation>
    </message>
    <message>
        <source>添加至表尾</source>
        <translation>Add to End</translation>
    </message>
    <message>
        <source>删除选中项</source>
        <translation>Delete Selection</translation>
    </message>
    <message>
        <source>移至顶部</source>
        <translation>Move to Top</translation>
    </message>
    <message>
        <source>上移一行</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>下移一行</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>移至底部</source>
        <translation>Move to Bottom</translation>
    </message>
    <message>
        <source>修改税率</source>
        <translation>Change Tax Rate</translation>
    </message>
</context>
<context>
    <name>vw::CatalogueBrowser</name>
    <message>
        <source>物品ID</source>
        <translation>Item ID</translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation>Chinese name</translation>
    </message>
    <message>
        <source>级</source>
        <translation>Gr.</translation>
    </message>
    <message>
        <source>价格</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>物攻</source>
        <translation>P.Atk</translation>
    </message>
    <message>
        <source>魔攻</source>
        <translation>M.Atk</translation>
    </message>
    <message>
        <source>物防</source>
        <translation>P.Def</translation>
    </message>
    <message>
        <source>魔防</source>
        <translation>M.Def</translation>
    </message>
    <message>
        <source>英文名称</source>
        <translation>English name</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Slot</translation>
    </message>
    <message>
        <source>武器类型</source>
        <translation>Weapon type</translation>
    </message>
    <message>
        <source>装备类型</source>
        <translation>Armour type</translation>
    </message>
    <message>
        <source>杂项类型</source>
        <translation>Etc. type</translation>
    </message>
    <message>
        <source>附加说明</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>正在查询物品种类...</source>
        <translation>Querying item categories...</translation>
    </message>
    <message>
        <source>有未定义的项存在,请于开发者联系</source>
        <translation>There are undefined entries; please contact the developer</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>查询物品种类完毕</source>
        <translation>Item categories queried</translation>
    </message>
    <message>
        <source>正在查询物品级别...</source>
        <translation>Querying item grades...</translation>
    </message>
    <message>
        <source>无级别</source>
        <translation>No grade</translation>
    </message>
    <message>
        <source>%1级物品</source>
        <translation>%1-grade items</translation>
    </message>
    <message>
        <source>查询物品级别完毕</source>
        <translation>Item grades queried</translation>
    </message>
    <message>
        <source>正在查询本级别物品...</source>
        <translation>Querying the items of this grade...</translation>
    </message>
    <message>
        <source>查询物品信息完毕</source>
        <translation>Item information queried</translation>
    </message>
    <message>
        <source>正在搜索物品...</source>
        <translation>Searching items...</translation>
    </message>
    <message>
        <source>搜索“%1”没有找到物品</source>
        <translation>No item found for “%1”</translation>
    </message>
    <message numerus="yes">
        <source>当前物品[%1]/%2共%n项</source>
        <translation>
            <numerusform>Current items [%1]/%2, %n item</numerusform>
            <numerusform>Current items [%1]/%2, %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>搜索“%1”共%n项</source>
        <translation>
            <numerusform>Found %n item for “%1”</numerusform>
            <numerusform>Found %n items for “%1”</numerusform>
        </translation>
    </message>
    <message>
        <source>在“%1”中%2</source>
        <translation>%2 in “%1”</translation>
    </message>
</context>
<context>
    <name>vw::ChangesView</name>
    <message>
        <source>修改文件(*.txt)|*.txt|所有文件(*.*)|*.*</source>
        <translation>Edit files (*.txt)|*.txt|All files (*.*)|*.*</translation>
    </message>
    <message>
        <source>第%1行</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <source>未知的命令“%1”</source>
        <translation>Unknown command “%1”</translation>
    </message>
    <message>
        <source>命令格式错误</source>
        <translation>Malformed command</translation>
    </message>
    <message>
        <source>附加部分含有“{”、“}”、“;”或换行</source>
        <translation>The extra part contains “{”, “}”, “;” or a line break</translation>
    </message>
    <message>
        <source>同一物品不能相对于自身移动或替换</source>
        <translation>An item cannot be moved relative to itself or replaced by itself</translation>
    </message>
    <message>
        <source>没有选定NPC</source>
        <translation>No NPC chosen</translation>
    </message>
    <message>
        <source>没有选定列表</source>
        <translation>No list chosen</translation>
    </message>
    <message>
        <source>AI文件中没有NPC“%1”的出售列表</source>
        <translation>The AI file has no sell list for the NPC “%1”</translation>
    </message>
    <message>
        <source>没有物品数据库，无法按地点选择NPC</source>
        <translation>Without an item database, NPCs cannot be chosen by location</translation>
    </message>
    <message>
        <source>地点“%1”没有带出售列表的NPC</source>
        <translation>The location “%1” has no NPCs with sell lists</translation>
    </message>
    <message>
        <source>%1 在AI文件中没有物品行</source>
        <translation>%1 has no item lines in the AI file</translation>
    </message>
    <message>
        <source>%1 已有物品 %2</source>
        <translation>%1 already has the item %2</translation>
    </message>
    <message>
        <source>%1 没有物品 %2</source>
        <translation>%1 does not have the item %2</translation>
    </message>
    <message>
        <source>没有列表出售物品 %1</source>
        <translation>No list sells the item %1</translation>
    </message>
    <message>
        <source>%1 没有物品 %2，已添加到列表末尾</source>
        <translation>%1 does not have the item %2; it was added at the end of the list</translation>
    </message>
    <message>
        <source>%1 没有物品 %2，物品未移动</source>
        <translation>%1 does not have the item %2; the item was not moved</translation>
    </message>
    <message>
        <source>%1 已有物品 %2，保持原样</source>
        <translation>%1 already has the item %2; left as it was</translation>
    </message>
    <message>
        <source>税率 %1</source>
        <translation>tax rate %1</translation>
    </message>
    <message>
        <source>原%1</source>
        <translation>was %1</translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation>%1 → %2</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Tax rate</translation>
    </message>
    <message>
        <source>没有需要导出的修改</source>
        <translation>There are no edits to export</translation>
    </message>
    <message>
        <source>导出修改</source>
        <translation>Export Changes</translation>
    </message>
    <message>
        <source>写出修改文件时发生错误：%1</source>
        <translation>An error occurred while writing the edit file: %1</translation>
    </message>
    <message>
        <source>导入修改</source>
        <translation>Import Changes</translation>
    </message>
    <message>
        <source>无法读取修改文件：%1</source>
        <translation>Cannot read the edit file: %1</translation>
    </message>
    <message>
        <source>修改文件不是UTF-8编码的文本：%1</source>
        <translation>The edit file is not UTF-8 text: %1</translation>
    </message>
    <message>
        <source>，%1处未按原样执行</source>
        <translation>, %1 not carried out as written</translation>
    </message>
    <message numerus="yes">
        <source>查看修改（%n个列表）</source>
        <translation>
            <numerusform>View Changes (%n list)</numerusform>
            <numerusform>View Changes (%n lists)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共有%n个列表已修改</source>
        <translation>
            <numerusform>%n list has been edited</numerusform>
            <numerusform>%n lists have been edited</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已导出%n个列表的修改</source>
        <translation>
            <numerusform>Exported the edits of %n list</numerusform>
            <numerusform>Exported the edits of %n lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已导入修改：%n个列表，跳过%1处</source>
        <translation>
            <numerusform>Edits imported: %n list, %1 skipped</numerusform>
            <numerusform>Edits imported: %n lists, %1 skipped</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vw::Commands</name>
    <message>
        <source>打开(O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>打开物品数据库(D)…</source>
        <translation>Open Item &amp;Database…</translation>
    </message>
    <message>
        <source>装入AI文件</source>
        <translation>&amp;Load AI File</translation>
    </message>
    <message>
        <source>写出文件(W)</source>
        <translation>&amp;Write File</translation>
    </message>
    <message>
        <source>查看修改(P)</source>
        <translation>&amp;View Changes</translation>
    </message>
    <message>
        <source>导出修改(E)…</source>
        <translation>&amp;Export Changes…</translation>
    </message>
    <message>
        <source>导入修改(I)…</source>
        <translation>&amp;Import Changes…</translation>
    </message>
    <message>
        <source>导出统计(S)…</source>
        <translation>Export &amp;Statistics…</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Op&amp;tions…</translation>
    </message>
    <message>
        <source>退出(X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>撤销(Z)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(Y)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>剪切(X)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>复制(C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>粘贴(V)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>插入选中项之前(P)</source>
        <translation>&amp;Insert Before Selection</translation>
    </message>
    <message>
        <source>添加至表尾(A)</source>
        <translation>&amp;Add to End</translation>
    </message>
    <message>
        <source>添加到所有列出的NPC(G)</source>
        <translation>Add to All Listed &amp;NPCs</translation>
    </message>
    <message>
        <source>上移一行(U)</source>
        <translation>&amp;Move Up</translation>
    </message>
    <message>
        <source>下移一行(N)</source>
        <translation>Move &amp;Down</translation>
    </message>
    <message>
        <source>移至顶部(T)</source>
        <translation>Move to T&amp;op</translation>
    </message>
    <message>
        <source>移至底部(B)</source>
        <translation>Move to &amp;Bottom</translation>
    </message>
    <message>
        <source>删除选中项(D)</source>
        <translation>D&amp;elete Selection</translation>
    </message>
    <message>
        <source>修改税率(R)</source>
        <translation>Change Ta&amp;x Rate</translation>
    </message>
    <message>
        <source>查找出售此物品的NPC(F)</source>
        <translation>&amp;Find NPCs Selling This Item</translation>
    </message>
    <message>
        <source>检查AI文件(K)</source>
        <translation>Chec&amp;k AI File</translation>
    </message>
    <message>
        <source>搜索物品(S)</source>
        <translation>&amp;Search Items</translation>
    </message>
    <message>
        <source>筛选NPC(L)</source>
        <translation>Fi&amp;lter NPCs</translation>
    </message>
    <message>
        <source>帮助(H)</source>
        <translation>&amp;Help Contents</translation>
    </message>
    <message>
        <source>关于(A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>VNW 工具条</source>
        <translation>VNW Toolbar</translation>
    </message>
    <message>
        <source>文件(F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>最近打开的文件(R)</source>
        <translation>&amp;Recent Files</translation>
    </message>
    <message>
        <source>操作(O)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>从选中列表中删除(D)</source>
        <translation>&amp;Remove from Selected Lists</translation>
    </message>
    <message>
        <source>设置选中列表中的税率(R)</source>
        <translation>Set &amp;Tax Rate in Selected Lists</translation>
    </message>
    <message>
        <source>替换为…(P)</source>
        <translation>Re&amp;place With…</translation>
    </message>
    <message>
        <source>帮助(H)</source>
        <comment>the menu</comment>
        <translation>&amp;Help</translation>
    </message>
</context>
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
    <name>vw::ListSelectors</name>
    <message>
        <source>未放置的NPC</source>
        <translation>Unplaced NPCs</translation>
    </message>
    <message>
        <source>全部NPC</source>
        <translation>All NPCs</translation>
    </message>
    <message>
        <source>请先读入AI文件</source>
        <translation>Read an AI file first</translation>
    </message>
    <message>
        <source>正在查询本地NPC...</source>
        <translation>Querying the NPCs of this location...</translation>
    </message>
    <message>
        <source>本地NPC查询完毕</source>
        <translation>NPCs of this location queried</translation>
    </message>
    <message>
        <source>没有找到物品列表</source>
        <translation>No sell list found</translation>
    </message>
    <message numerus="yes">
        <source>当前地点共%n个NPC</source>
        <translation>
            <numerusform>%n NPC at this location</numerusform>
            <numerusform>%n NPCs at this location</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vw::ListTransfers</name>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>拖入</source>
        <translation>Drop</translation>
    </message>
    <message>
        <source>物品库中没有此物品</source>
        <translation>The item database has no such item</translation>
    </message>
    <message numerus="yes">
        <source>已复制%n项物品</source>
        <translation>
            <numerusform>Copied %n item</numerusform>
            <numerusform>Copied %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经剪切%n项物品</source>
        <translation>
            <numerusform>Cut %n item</numerusform>
            <numerusform>Cut %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已添加到%n个NPC的%1，跳过%2个NPC的列表（列出的%3项共%4个NPC）</source>
        <translation>
            <numerusform>Added to %1 of %n NPC, skipped the lists of %2 NPCs (%3 entries listed, %4 NPCs in all)</numerusform>
            <numerusform>Added to %1 of %n NPCs, skipped the lists of %2 NPCs (%3 entries listed, %4 NPCs in all)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已粘贴%n项物品，跳过%1项</source>
        <translation>
            <numerusform>Pasted %n item, %1 skipped</numerusform>
            <numerusform>Pasted %n items, %1 skipped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已拖入%n项物品，跳过%1项</source>
        <translation>
            <numerusform>Dropped %n item, %1 skipped</numerusform>
            <numerusform>Dropped %n items, %1 skipped</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vw::MainWindow</name>
    <message>
        <source>已经撤销：%1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>已经重做：%1</source>
        <translation>Redone: %1</translation>
    </message>
    <message>
        <source>有尚未写出的修改，是否先写出目标文件？</source>
        <translation>There are unwritten edits. Write the target file first?</translation>
    </message>
    <message>
        <source>写出</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>放弃</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>查看修改</source>
        <translation>View Changes</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>最近打开的文件已不存在：
%1
是否从列表中删除？</source>
        <translation>The recently opened file no longer exists:
%1
Remove it from the list?</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>选项已保存，界面语言在下次启动时生效</source>
        <translation>Options saved; the interface language takes effect at the next start</translation>
    </message>
    <message>
        <source>选项已保存</source>
        <translation>Options saved</translation>
    </message>
</context>
<context>
    <name>vw::OptionsDialog</name>
    <message>
        <source>保留未改动物品的原行</source>
        <translation>Keep the original lines of unchanged items</translation>
    </message>
    <message>
        <source>启动时装入上次的AI文件</source>
        <translation>Load the last AI file at start</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>Follow the system</translation>
    </message>
    <message>
        <source>写出时，修改过的列表中未改动的物品保留原来的行，只有新增或改动的物品按列表的格式写出</source>
        <translation>When writing, unchanged items in edited lists keep their original lines; only added or changed items are written in the list’s format</translation>
    </message>
    <message>
        <source>使用税率框中的税率</source>
        <translation>Use the rate in the tax rate box</translation>
    </message>
    <message>
        <source>界面语言(&amp;L)</source>
        <translation>Interface &amp;language</translation>
    </message>
    <message>
        <source>新物品的税率(&amp;T)</source>
        <translation>&amp;Tax rate of new items</translation>
    </message>
    <message>
        <source>界面语言在下次启动程序时生效。</source>
        <translation>The interface language takes effect the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>vw::OwnFileNotices</name>
    <message>
        <source>恢复文件夹中的%1不是普通文件或过大，未读取</source>
        <translation>%1 in the recovery folder is not a regular file or is too large; it was not read</translation>
    </message>
    <message>
        <source>恢复文件夹中的%1不是普通文件或过大，未读取，已改名为%2</source>
        <translation>%1 in the recovery folder is not a regular file or is too large; it was not read and was renamed %2</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>无法保存恢复文件（%1），在恢复之前未写出的修改不能在异常退出后找回</source>
        <translation>Cannot save the recovery file (%1); until it can, unwritten edits cannot be recovered after a crash</translation>
    </message>
    <message>
        <source>恢复文件又可以保存了</source>
        <translation>The recovery file can be saved again</translation>
    </message>
    <message>
        <source>无法保存设置，本次的选择不会保留</source>
        <translation>Cannot save the settings; this session’s choices will not be kept</translation>
    </message>
    <message>
        <source>设置文件%1不是普通文件或过大，未读取，已改名为%2</source>
        <translation>The settings file %1 is not a regular file or is too large; it was not read and was renamed %2</translation>
    </message>
    <message>
        <source>设置文件%1不是普通文件或过大，未读取</source>
        <translation>The settings file %1 is not a regular file or is too large; it was not read</translation>
    </message>
    <message>
        <source>无法读取设置文件%1：%2</source>
        <translation>Cannot read the settings file %1: %2</translation>
    </message>
    <message>
        <source>设置文件夹不可写，本次的选择不会保留</source>
        <translation>The settings folder cannot be written; this session’s choices will not be kept</translation>
    </message>
    <message>
        <source>恢复文件夹不可用，未写出的修改不能在异常退出后找回</source>
        <translation>The recovery folder cannot be used; unwritten edits cannot be recovered after a crash</translation>
    </message>
</context>
<context>
    <name>vw::ResultsDock</name>
    <message>
        <source>结果</source>
        <translation>Results</translation>
    </message>
</context>
<context>
    <name>vw::ScriptDocument</name>
    <message>
        <source>%1 %2 等%3项</source>
        <translation>%1 %2 and others (%3 items)</translation>
    </message>
    <message>
        <source>导入修改</source>
        <translation>Import edits</translation>
    </message>
    <message>
        <source>插入 %1</source>
        <translation>Insert %1</translation>
    </message>
    <message>
        <source>添加 %1</source>
        <translation>Add %1</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>移至顶部</source>
        <translation>Move to top</translation>
    </message>
    <message>
        <source>移至底部</source>
        <translation>Move to bottom</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>修改税率</source>
        <translation>Change tax rate</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
    <message numerus="yes">
        <source>恢复 %n个列表的修改</source>
        <translation>
            <numerusform>Recover the edits of %n list</numerusform>
            <numerusform>Recover the edits of %n lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 %n项</source>
        <translation>
            <numerusform>%1 %n item</numerusform>
            <numerusform>%1 %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>删除 %1（%n个列表）</source>
        <translation>
            <numerusform>Delete %1 (%n list)</numerusform>
            <numerusform>Delete %1 (%n lists)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>修改税率 %1（%n个列表）</source>
        <translation>
            <numerusform>Change the tax rate of %1 (%n list)</numerusform>
            <numerusform>Change the tax rate of %1 (%n lists)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>替换 %1 为 %2（%n个列表）</source>
        <translation>
            <numerusform>Replace %1 with %2 (%n list)</numerusform>
            <numerusform>Replace %1 with %2 (%n lists)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>添加 %1 等%2项 到%n个NPC</source>
        <translation>
            <numerusform>Add %1 and others (%2 items) to %n NPC</numerusform>
            <numerusform>Add %1 and others (%2 items) to %n NPCs</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>添加 %1 到%n个NPC</source>
        <translation>
            <numerusform>Add %1 to %n NPC</numerusform>
            <numerusform>Add %1 to %n NPCs</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vw::ScriptInspector</name>
    <message>
        <source>物品ID %1 在物品库中没有名称（ITEMNAME_E2C）</source>
        <translation>The item ID %1 has no name in the item database (ITEMNAME_E2C)</translation>
    </message>
    <message>
        <source>物品ID %1 与第%2行重复</source>
        <translation>The item ID %1 repeats line %2</translation>
    </message>
    <message>
        <source>物品ID %1 在列表中重复</source>
        <translation>The item ID %1 repeats in the list</translation>
    </message>
    <message>
        <source>列表没有 buyselllist_end</source>
        <translation>The list has no buyselllist_end</translation>
    </message>
    <message>
        <source>列表在同一个类中被再次打开</source>
        <translation>The list is opened again in the same class</translation>
    </message>
    <message>
        <source>物品行格式错误：“{”之后没有“}”</source>
        <translation>Malformed item line: no “}” after “{”</translation>
    </message>
    <message>
        <source>物品行格式错误：物品ID为空</source>
        <translation>Malformed item line: the item ID is empty</translation>
    </message>
    <message>
        <source>物品ID %1 的税率“%2”不是非负数字</source>
        <translation>The tax rate “%2” of the item ID %1 is not a non-negative number</translation>
    </message>
    <message>
        <source>没有放置在任何地点（城镇NPC表中没有与类名完全相同的NPC英文名）</source>
        <translation>Not placed at any location (the town NPC table has no NPC English name exactly equal to the class name)</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>出售此物品的NPC</source>
        <translation>NPCs selling this item</translation>
    </message>
    <message>
        <source>出售物品%1的NPC</source>
        <translation>NPCs selling the item %1</translation>
    </message>
    <message>
        <source>正在检查AI文件...</source>
        <translation>Checking the AI file...</translation>
    </message>
    <message>
        <source>新增</source>
        <translation>new</translation>
    </message>
    <message>
        <source>检查结果（已过时）</source>
        <translation>Check results (out of date)</translation>
    </message>
    <message>
        <source>检查结果</source>
        <translation>Check results</translation>
    </message>
    <message>
        <source>以下列表未修改：
</source>
        <translation>The following lists were not changed:
</translation>
    </message>
    <message>
        <source>将物品%1替换为（物品ID）：</source>
        <translation>Replace the item %1 with (item ID):</translation>
    </message>
    <message>
        <source>该行所在的类没有可编辑的列表</source>
        <translation>The class of this line has no editable list</translation>
    </message>
    <message numerus="yes">
        <source>共有%n个列表出售物品%1</source>
        <translation>
            <numerusform>%n list sells the item %1</numerusform>
            <numerusform>%n lists sell the item %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>检查完毕,共发现%n个问题</source>
        <translation>
            <numerusform>Check finished: %n problem found</numerusform>
            <numerusform>Check finished: %n problems found</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已从%n个列表中删除物品%1</source>
        <translation>
            <numerusform>Deleted the item %1 from %n list</numerusform>
            <numerusform>Deleted the item %1 from %n lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已修改%n个列表中物品%1的税率</source>
        <translation>
            <numerusform>Changed the tax rate of the item %1 in %n list</numerusform>
            <numerusform>Changed the tax rate of the item %1 in %n lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已在%n个列表中将物品%1替换为%2</source>
        <translation>
            <numerusform>Replaced the item %1 with %2 in %n list</numerusform>
            <numerusform>Replaced the item %1 with %2 in %n lists</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vw::SellListView</name>
    <message>
        <source>行号</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>物品ID</source>
        <translation>Item ID</translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation>Chinese name</translation>
    </message>
    <message>
        <source>英文名称</source>
        <translation>English name</translation>
    </message>
    <message>
        <source>税率</source>
        <translation>Tax rate</translation>
    </message>
    <message>
        <source>查询物品信息完毕</source>
        <translation>Item information queried</translation>
    </message>
    <message>
        <source>无此物品</source>
        <translation>No such item</translation>
    </message>
    <message>
        <source>已经添加1项物品</source>
        <translation>Added 1 item</translation>
    </message>
    <message>
        <source>新</source>
        <translation>new</translation>
    </message>
    <message numerus="yes">
        <source>当前列表%1/%2共有%n项</source>
        <translation>
            <numerusform>Current list %1/%2: %n item</numerusform>
            <numerusform>Current list %1/%2: %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经上移%n项物品</source>
        <translation>
            <numerusform>Moved %n item up</numerusform>
            <numerusform>Moved %n items up</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经下移%n项物品</source>
        <translation>
            <numerusform>Moved %n item down</numerusform>
            <numerusform>Moved %n items down</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经将%n项物品移至顶部</source>
        <translation>
            <numerusform>Moved %n item to the top</numerusform>
            <numerusform>Moved %n items to the top</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经将%n项物品移至底部</source>
        <translation>
            <numerusform>Moved %n item to the bottom</numerusform>
            <numerusform>Moved %n items to the bottom</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经删除%n项物品</source>
        <translation>
            <numerusform>Deleted %n item</numerusform>
            <numerusform>Deleted %n items</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已经修改%n项物品的税率</source>
        <translation>
            <numerusform>Changed the tax rate of %n item</numerusform>
            <numerusform>Changed the tax rate of %n items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>vw::StatisticsPage</name>
    <message>
        <source>导出统计</source>
        <translation>Export Statistics</translation>
    </message>
    <message>
        <source>HTML文件(*.htm *.html)|*.htm;*.html</source>
        <translation>HTML files (*.htm *.html)|*.htm;*.html</translation>
    </message>
    <message>
        <source>-统计</source>
        <translation>-statistics</translation>
    </message>
    <message>
        <source>导出统计时发生错误：%1</source>
        <translation>An error occurred while exporting the statistics: %1</translation>
    </message>
    <message>
        <source>统计已导出</source>
        <translation>Statistics exported</translation>
    </message>
</context>
<context>
    <name>vw::StatisticsView</name>
    <message>
        <source>请先装入AI文件</source>
        <translation>Load an AI file first</translation>
    </message>
    <message>
        <source>无法创建文件</source>
        <translation>Cannot create the file</translation>
    </message>
    <message>
        <source>无法写入文件</source>
        <translation>Cannot write the file</translation>
    </message>
    <message>
        <source>无法保存文件</source>
        <translation>Cannot save the file</translation>
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
