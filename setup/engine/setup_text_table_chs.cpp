// Simplified Chinese texts of the setup program, written in GBK (code page
// 936) by the build.

#include "setup/engine/setup_text_tables.h"

constinit const SetupTextTable kSetupTextChs = MakeSetupTextTable({
    {1, "安装"},
    {2, "你确定要退出安装程序吗?"},
    {3, "正在创建快截方式..."},
    {4, "复制文件:"},
    {5, "< 上一步"},
    {6, "下一步 >"},
    {7, "取消"},
    {8, "完成"},
    {11, "Ostrevia.lnk"},
    {12, "Zelmorant帮助.lnk"},
    {13, "Zelmorant配置.lnk"},
    {14, "卸载Zelmorant.lnk"},
    {21, "安装错误，数据可能被破坏!"},
    {22, "无效的路径!"},
    {23, "此路径不存在，是否新建?"},
    {24, "你必须接受此协议才能继续!"},
    {25, "请阅读下面的协议，只有接受该协议才能继续安装"},
    {26, "我接受此协议"},
    {27, "我不接受此协议"},
    {29, "目录名中含有本机ANSI代码页无法表示的字符，CAD程序无法从中加载附加模块。请选择其他目录。"},
    {30,
     "非管理员用户可以修改此目录中的文件，也就可以替换每个用户的CAD程序从中加载的附加模块。请选择其他目录或新"
     "目录。"},
    {28, "欢迎安装Zelmorant"},
    {31, "配置"},
    {32, "选择Zelmorant将安装到哪个ACAD版本中\n指定安装目录"},
    {33, "自动加载配置:"},
    {34, "安装目录 :"},
    {41, "正在安装，请稍候"},
    {42, "进度:"},
    {43, "文件名"},
    {51, "安装完成"},
    {52, "Zelmorant安装成功"},
    {53, "无法操作注册表，请确保您有存取注册表的权限!"},
});
