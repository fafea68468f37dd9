<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CatalogueFiles</name>
    <message>
        <source>读取超时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取程序异常退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法启动读取程序：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>含有视图“%1”，只读取数据表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>含有触发器“%1”，只读取数据表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>含有虚拟表“%1”，只读取数据表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到物品数据库文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数据库不是普通文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数据库文件是空的：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取物品数据库文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法识别的物品数据库文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数据库缺少数据表“%1”：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数据库的数据表“%1”缺少字段“%2”：%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已改用程序目录中的物品数据库：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择物品数据库文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数据库(*.mdb *.accdb *.db *.sqlite)|*.mdb;*.accdb;*.db;*.sqlite|所有文件(*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已装入物品数据库：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共%1个地点%2类物品</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditTexts</name>
    <message>
        <source>%1-商品列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先装入AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品ID为空或含有“{”、“}”、“;”或换行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已有相同物品在此列表中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（未知物品）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率不能为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率必须是非负数字</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RecoveryOffer</name>
    <message>
        <source>发现上次未写出的修改（%1个列表），但AI文件在此之后已被修改，无法恢复。是否将这些修改另存为修改文件？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放弃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稍后</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改文件(*.txt)|*.txt|所有文件(*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出修改文件时发生错误：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>发现上次未写出的修改（%1个列表），是否恢复？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已恢复%1个列表的修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这些修改属于AI文件%1，它已不是装入的文件，修改保留到下次装入它时</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ScriptFiles</name>
    <message>
        <source>AI obj Files(*.obj)|*.obj|所有文件(*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择原始AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已选择AI文件：%1，按“装入AI文件”读取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有指定AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指定文件不存在：
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指定文件不是普通文件：
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>开始读取AI文件...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经读取%1行..</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取AI文件失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开指定的AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指定文件不是UTF-16编码的AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取AI文件时发生错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共读取%1行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请选择输出AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在写出文件,请稍等...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经写入%1个列表...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出于安全原因,不允许覆盖当前源AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输出文件不是普通文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>源AI文件在装入后已被修改或删除,请重新装入后再写出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取源AI文件时发生错误：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出文件时发生错误：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出文件时发生错误：磁盘空间不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出失败</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出成功,共写入%1个已修改列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以下列表在源文件中的位置不完整,未写入,保持原样：
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatisticsReport</name>
    <message>
        <source>不在物品库中</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未放置的NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>其他种类</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表的物品数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>zh-CN</source>
        <comment>the HTML language code of these texts</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI文件统计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1-商品列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（空）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品数据库查询出错：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>总计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NPC数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不同物品数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各地点</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>共%n个地点，以下列出不同物品最多的%1个。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>地点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有物品的NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各种类下为不同物品的数目。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有NPC出售的物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>物品库中共有%n项物品没有NPC出售。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>种类</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>级别</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>按物品ID的前%n项</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>物品ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只有一个NPC出售的物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>共%n项物品。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共%n项物品，以下列出前%1项。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空的或少于%1项物品的列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>共%n个列表。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共%n个列表，以下列出前%1项。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>列表长度的分布</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有列表。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率的分布</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>共%n种税率。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共%n种税率，以下列出前%1项。</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>不是数字的税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>首个物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在不同列表中税率不同的物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率（列表数）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a tax rate and the lists that use it</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>…及其他%n种</source>
        <comment>tax rates</comment>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the tax rates of one item</comment>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>…及其他%n项</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>请先装入AI文件</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WindowWidgets</name>
    <message>
        <source>选择地点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择NPC名字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择物品种类</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择详细种类</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择物品级别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出售列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品库</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索物品ID、中文名称或英文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在全部物品中搜索，不受种类、详细种类和级别的限制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>筛选NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出售此物品的NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>地点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>问题</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳过的物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原因</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变化</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>说明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入时跳过的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>页面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出售物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>传送座标</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML统计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出目标文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>种类</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>详细种类</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>级别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>装入AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>插入选中项之前</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加至表尾</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除选中项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至顶部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上移一行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下移一行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至底部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改税率</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::CatalogueBrowser</name>
    <message>
        <source>物品ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>级</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>价格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物攻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>魔攻</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物防</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>魔防</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>位置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>武器类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>装备类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>杂项类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>附加说明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在查询物品种类...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有未定义的项存在,请于开发者联系</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询物品种类完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在查询物品级别...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无级别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1级物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询物品级别完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在查询本级别物品...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询物品信息完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前物品[%1]/%2共%3项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在搜索物品...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索“%1”没有找到物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索“%1”共%2项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在“%1”中</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::ChangesView</name>
    <message>
        <source>修改文件(*.txt)|*.txt|所有文件(*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知的命令“%1”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令格式错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>附加部分含有“{”、“}”、“;”或换行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同一物品不能相对于自身移动或替换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有选定NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有选定列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AI文件中没有NPC“%1”的出售列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有物品数据库，无法按地点选择NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>地点“%1”没有带出售列表的NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 在AI文件中没有物品行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 已有物品 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 没有物品 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有列表出售物品 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 没有物品 %2，已添加到列表末尾</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 没有物品 %2，物品未移动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 已有物品 %2，保持原样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 → %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看修改（%1个列表）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有%1个列表已修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有需要导出的修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出修改文件时发生错误：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已导出%1个列表的修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取修改文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改文件不是UTF-8编码的文本：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已导入修改：%1个列表，跳过%2处</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，%1处未按原样执行</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::Commands</name>
    <message>
        <source>打开(O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开物品数据库(D)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>装入AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出文件(W)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看修改(P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出修改(E)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入修改(I)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出统计(S)…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出(X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销(Z)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重做(Y)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剪切(X)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制(C)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴(V)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>插入选中项之前(P)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加至表尾(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加到所有列出的NPC(G)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上移一行(U)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下移一行(N)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至顶部(T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至底部(B)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除选中项(D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改税率(R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查找出售此物品的NPC(F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查AI文件(K)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索物品(S)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>筛选NPC(L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助(H)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于(A)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VNW 工具条</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件(F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近打开的文件(R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>操作(O)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>撤销</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重做</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>从选中列表中删除(D)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置选中列表中的税率(R)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>替换为…(P)</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请先读入AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在查询本地NPC...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本地NPC查询完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前地点共%1个NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有找到物品列表</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::ListTransfers</name>
    <message>
        <source>已复制%1项物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经剪切%1项物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拖入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已拖入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%2项物品，跳过%3项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已添加到%1个NPC的%2，跳过%3个NPC的列表（列出的%4项共%5个NPC）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品库中没有此物品</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::MainWindow</name>
    <message>
        <source>已经撤销：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经重做：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有尚未写出的修改，是否先写出目标文件？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放弃</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近打开的文件已不存在：
%1
是否从列表中删除？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保留</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选项已保存，界面语言在下次启动时生效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选项已保存</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::OptionsDialog</name>
    <message>
        <source>保留未改动物品的原行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>启动时装入上次的AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写出时，修改过的列表中未改动的物品保留原来的行，只有新增或改动的物品按列表的格式写出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>使用税率框中的税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>界面语言(&amp;L)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新物品的税率(&amp;T)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>界面语言在下次启动程序时生效。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::OwnFileNotices</name>
    <message>
        <source>恢复文件夹中的%1不是普通文件或过大，未读取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复文件夹中的%1不是普通文件或过大，未读取，已改名为%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存恢复文件（%1），在恢复之前未写出的修改不能在异常退出后找回</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复文件又可以保存了</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存设置，本次的选择不会保留</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置文件%1不是普通文件或过大，未读取，已改名为%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置文件%1不是普通文件或过大，未读取</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取设置文件%1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设置文件夹不可写，本次的选择不会保留</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复文件夹不可用，未写出的修改不能在异常退出后找回</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::ResultsDock</name>
    <message>
        <source>结果</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::ScriptDocument</name>
    <message>
        <source>%1 %2 等%3项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复 %1个列表的修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入修改</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>插入 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上移</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下移</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至顶部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移至底部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剪切</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>移动</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除 %1（%2个列表）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修改税率 %1（%2个列表）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>替换 %1 为 %2（%3个列表）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加 %1 等%2项 到%3个NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加 %1 到%2个NPC</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::ScriptInspector</name>
    <message>
        <source>物品ID %1 在物品库中没有名称（ITEMNAME_E2C）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品ID %1 与第%2行重复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品ID %1 在列表中重复</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表没有 buyselllist_end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表在同一个类中被再次打开</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品行格式错误：“{”之后没有“}”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品行格式错误：物品ID为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品ID %1 的税率“%2”不是非负数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有放置在任何地点（城镇NPC表中没有与类名完全相同的NPC英文名）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出售此物品的NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>出售物品%1的NPC</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共有%1个列表出售物品%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在检查AI文件...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查完毕,共发现%1个问题</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新增</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查结果（已过时）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检查结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以下列表未修改：
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已从%1个列表中删除物品%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已修改%1个列表中物品%2的税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>将物品%1替换为（物品ID）：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已在%1个列表中将物品%2替换为%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>该行所在的类没有可编辑的列表</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::SellListView</name>
    <message>
        <source>行号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>物品ID</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>英文名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查询物品信息完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>当前列表%1/%2共有%3项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无此物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经添加1项物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经上移%1项物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经下移%1项物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经将%1项物品移至顶部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经将%1项物品移至底部</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经删除%1项物品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已经修改%1项物品的税率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>新</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::StatisticsPage</name>
    <message>
        <source>导出统计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTML文件(*.htm *.html)|*.htm;*.html</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>-统计</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出统计时发生错误：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>统计已导出</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>vw::StatisticsView</name>
    <message>
        <source>请先装入AI文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法创建文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存文件</source>
        <translation type="unfinished"></translation>
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
