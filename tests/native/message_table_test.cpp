#include "install/MessageTable.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

// The table's GBK bytes are checked against the texts as people read them, converted by the C library.
std::string Gbk(const std::string& utf8) {
    iconv_t converter = iconv_open("GBK", "UTF-8");
    std::string input = utf8;
    std::string output(input.size() * 2 + 1, '\0');
    char* in = input.data();
    char* out = output.data();
    size_t inLeft = input.size();
    size_t outLeft = output.size();
    const size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    EXPECT_NE(done, static_cast<size_t>(-1)) << utf8;
    output.resize(output.size() - outLeft);
    return output;
}

struct Row {
    install::MessageId id;
    const char* chinese;  // UTF-8 here; GBK in the table
    const char* traditional;
    const char* other;
};

const Row kExpected[] = {
    {install::MsgPathError, "错误的文件目录!", "The path is error!", "The path is error!"},
    {install::MsgCopyFailed, "安装失败! 关闭正在运行的Vectrace后重试", "error! please Close the Vectrace!",
     "Can't copy files, error!"},
    {install::MsgCorelNotFound, "找不到CorelDraw!", "Can't find Coreldraw!", "Can't find Coreldraw!"},
    {install::MsgCloseCorel, "请关闭CorelDraw,然后再重试!", "Please Close CorelDraw, and try to Install!",
     "Please Close CorelDraw, and try to Install!"},
    {install::MsgAutoCadNotFound, "找不到AutoCAD!", "Can't find AutoCAD!", "Can't find AutoCAD!"},
    {install::MsgCloseAutoCad, "请关闭AutoCAD,然后再重试!", "Please Close AutoCAD, and try to Install!",
     "Please Close AutoCAD, and try to Install!"},
    {install::MsgCloseIllustrator, "请关闭Illustrator,然后再重试!", "Please Close Illustrator, and try to Install!",
     "Please Close Illustrator, and try to Install!"},
    {install::MsgReadFailed, "读取文件失败:", "Can't read the file:", "Can't read the file:"},
    {install::MsgWriteFailed, "写入文件失败:", "Can't write the file:", "Can't write the file:"},
    {install::MsgSetupDamaged, "安装文件已损坏,请重新下载!", "The setup file is damaged, please download it again!",
     "The setup file is damaged, please download it again!"},
    {install::MsgSetupFolderUnreadable,
     "无法读取安装程序旁边的文件(SetupCfg.ini, QTXCfg):它所在文件夹的路径过长或含有本系统不能使用的字符。"
     "请把安装文件夹复制到较短的路径后重试!",
     "Can't read the files beside the setup (SetupCfg.ini, QTXCfg): the path of its folder is too long or has "
     "characters this Windows cannot use. Copy the setup's folder to a shorter path and try again!",
     "Can't read the files beside the setup (SetupCfg.ini, QTXCfg): the path of its folder is too long or has "
     "characters this Windows cannot use. Copy the setup's folder to a shorter path and try again!"},
    {install::MsgFilesInUse, "以下文件正在使用,请关闭相关程序后点击“重试”:",
     "These files are in use. Close the program that uses them, then click Retry:",
     "These files are in use. Close the program that uses them, then click Retry:"},
    {install::MsgMoreFiles, "以及另外 % 个文件", "and % more", "and % more"},
    {install::MsgNoSpace, "磁盘空间不足,无法安装到:", "There is not enough free space on the drive to install into:",
     "There is not enough free space on the drive to install into:"},
    {install::MsgSpaceNeeded, "还需要 % MB 的可用空间。", "Another % MB of free space is needed.",
     "Another % MB of free space is needed."},
};

TEST(MessageTable, EveryTextByteForByteInEachColumn) {
    static_assert(std::size(kExpected) == install::kMessageCount);
    for (const Row& row : kExpected) {
        SCOPED_TRACE(row.other);
        EXPECT_EQ(install::MessageTable(0).Text(row.id), Gbk(row.chinese));
        EXPECT_EQ(install::MessageTable(1).Text(row.id), std::string(row.traditional));
        EXPECT_EQ(install::MessageTable(2).Text(row.id), std::string(row.other));
    }
}

TEST(MessageTable, PositionsPastOneAndNoSelectionTakeTheOtherColumn) {
    const struct {
        int position;
        int column;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {13, 2}, {-1, 2}};
    for (const auto& c : cases) {
        EXPECT_EQ(install::MessageColumn(c.position), c.column) << c.position;
    }
    EXPECT_STREQ(install::MessageTable(5).Text(install::MsgCopyFailed), "Can't copy files, error!");
}

}  // namespace
