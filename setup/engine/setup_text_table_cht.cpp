// Traditional Chinese texts of the setup program, written in Big5 (code page
// 950) by the build.

#include "setup/engine/setup_text_tables.h"

constinit const SetupTextTable kSetupTextCht = MakeSetupTextTable({
    {1, "安裝"},
    {2, "你確定要退出安裝程序嗎?"},
    {3, "正在創建快截方式..."},
    {4, "復制文件:"},
    {5, "< 上一步"},
    {6, "下一步 >"},
    {7, "取消"},
    {8, "完成"},
    {11, "Ostrevia.lnk"},
    {12, "Zelmorant幫助.lnk"},
    {13, "Zelmorant配置.lnk"},
    {14, "卸載Zelmorant.lnk"},
    {21, "安裝錯誤，數據可能被破壞!"},
    {22, "無效的路徑!"},
    {23, "此路徑不存在，是否新建?"},
    {24, "你必須接受此協議才能繼續!"},
    {25, "請閱讀下面的協議，只有接受該協議才能繼續安裝"},
    {26, "我接受此協議"},
    {27, "我不接受此協議"},
    {29, "目錄名中含有本機ANSI代碼頁無法表示的字元，CAD程式無法從中載入附加模組。請選擇其他目錄。"},
    {30,
     "非管理員使用者可以修改此目錄中的檔案，也就可以替換每個使用者的CAD程式從中載入的附加模組。請選擇其他目錄"
     "或新目錄。"},
    {28, "歡迎安裝Zelmorant"},
    {31, "配置"},
    {32, "選擇Zelmorant將安裝到哪個ACAD版本中\n指定安裝目錄"},
    {33, "自動加載配置:"},
    {34, "安裝目錄 :"},
    {41, "正在安裝，請稍候"},
    {42, "進度:"},
    {43, "文件名"},
    {51, "安裝完成"},
    {52, "Zelmorant安裝成功"},
    {53, "無法操作注冊表，請確保您有存取注冊表的權限!"},
});
