#include "install/MessageTable.h"

namespace install {

// Literals are split where a hex escape would otherwise swallow the letter after it.
const char* const kMessageTexts[kMessageCount][kMessageColumns] = {
    // MsgPathError: "错误的文件目录!"
    {"\xb4\xed\xce\xf3\xb5\xc4\xce\xc4\xbc\xfe\xc4\xbf\xc2\xbc!", "The path is error!", "The path is error!"},
    // MsgCopyFailed: "安装失败! 关闭正在运行的Vectrace后重试"
    {"\xb0\xb2\xd7\xb0\xca\xa7\xb0\xdc! "
     "\xb9\xd8\xb1\xd5\xd5\xfd\xd4\xda\xd4\xcb\xd0\xd0\xb5\xc4Vectrace\xba\xf3\xd6\xd8"
     "\xca\xd4",
     "error! please Close the Vectrace!", "Can't copy files, error!"},
    // MsgCorelNotFound: "找不到CorelDraw!"
    {"\xd5\xd2\xb2\xbb\xb5\xbd"
     "CorelDraw!",
     "Can't find Coreldraw!", "Can't find Coreldraw!"},
    // MsgCloseCorel: "请关闭CorelDraw,然后再重试!"
    {"\xc7\xeb\xb9\xd8\xb1\xd5"
     "CorelDraw,\xc8\xbb\xba\xf3\xd4\xd9\xd6\xd8\xca\xd4!",
     "Please Close CorelDraw, and try to Install!", "Please Close CorelDraw, and try to Install!"},
    // MsgAutoCadNotFound: "找不到AutoCAD!"
    {"\xd5\xd2\xb2\xbb\xb5\xbd"
     "AutoCAD!",
     "Can't find AutoCAD!", "Can't find AutoCAD!"},
    // MsgCloseAutoCad: "请关闭AutoCAD,然后再重试!"
    {"\xc7\xeb\xb9\xd8\xb1\xd5"
     "AutoCAD,\xc8\xbb\xba\xf3\xd4\xd9\xd6\xd8\xca\xd4!",
     "Please Close AutoCAD, and try to Install!", "Please Close AutoCAD, and try to Install!"},
    // MsgCloseIllustrator: "请关闭Illustrator,然后再重试!"
    {"\xc7\xeb\xb9\xd8\xb1\xd5"
     "Illustrator,\xc8\xbb\xba\xf3\xd4\xd9\xd6\xd8\xca\xd4!",
     "Please Close Illustrator, and try to Install!", "Please Close Illustrator, and try to Install!"},
    // MsgReadFailed: "读取文件失败:"
    {"\xb6\xc1\xc8\xa1\xce\xc4\xbc\xfe\xca\xa7\xb0\xdc:", "Can't read the file:", "Can't read the file:"},
    // MsgWriteFailed: "写入文件失败:"
    {"\xd0\xb4\xc8\xeb\xce\xc4\xbc\xfe\xca\xa7\xb0\xdc:", "Can't write the file:", "Can't write the file:"},
    // MsgSetupDamaged: "安装文件已损坏,请重新下载!"
    {"\xb0\xb2\xd7\xb0\xce\xc4\xbc\xfe\xd2\xd1\xcb\xf0\xbb\xb5,\xc7\xeb\xd6\xd8\xd0\xc2\xcf\xc2\xd4\xd8!",
     "The setup file is damaged, please download it again!", "The setup file is damaged, please download it again!"},
    // MsgSetupFolderUnreadable: "无法读取安装程序旁边的文件(SetupCfg.ini,
    // QTXCfg):它所在文件夹的路径过长或含有本系统不能
    // 使用的字符。请把安装文件夹复制到较短的路径后重试!"
    {"\xce\xde\xb7\xa8\xb6\xc1\xc8\xa1\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2\xc5\xd4\xb1\xdf\xb5\xc4\xce\xc4\xbc\xfe"
     "(SetupCfg.ini, QTXCfg):\xcb\xfc\xcb\xf9\xd4\xda\xce\xc4\xbc\xfe\xbc\xd0\xb5\xc4\xc2\xb7\xbe\xb6\xb9\xfd\xb3\xa4"
     "\xbb\xf2\xba\xac\xd3\xd0\xb1\xbe\xcf\xb5\xcd\xb3\xb2\xbb\xc4\xdc\xca\xb9\xd3\xc3\xb5\xc4\xd7\xd6\xb7\xfb\xa1\xa3"
     "\xc7\xeb\xb0\xd1\xb0\xb2\xd7\xb0\xce\xc4\xbc\xfe\xbc\xd0\xb8\xb4\xd6\xc6\xb5\xbd\xbd\xcf\xb6\xcc\xb5\xc4\xc2\xb7"
     "\xbe\xb6\xba\xf3\xd6\xd8\xca\xd4!",
     "Can't read the files beside the setup (SetupCfg.ini, QTXCfg): the path of its folder is too long or has "
     "characters this Windows cannot use. Copy the setup's folder to a shorter path and try again!",
     "Can't read the files beside the setup (SetupCfg.ini, QTXCfg): the path of its folder is too long or has "
     "characters this Windows cannot use. Copy the setup's folder to a shorter path and try again!"},
    // MsgFilesInUse: "以下文件正在使用,请关闭相关程序后点击“重试”:"
    {"\xd2\xd4\xcf\xc2\xce\xc4\xbc\xfe\xd5\xfd\xd4\xda\xca\xb9\xd3\xc3,"
     "\xc7\xeb\xb9\xd8\xb1\xd5\xcf\xe0\xb9\xd8\xb3\xcc\xd0\xf2"
     "\xba\xf3\xb5\xe3\xbb\xf7\xa1\xb0\xd6\xd8\xca\xd4\xa1\xb1:",
     "These files are in use. Close the program that uses them, then click Retry:",
     "These files are in use. Close the program that uses them, then click Retry:"},
    // MsgMoreFiles: "以及另外 % 个文件"
    {"\xd2\xd4\xbc\xb0\xc1\xed\xcd\xe2 % \xb8\xf6\xce\xc4\xbc\xfe", "and % more", "and % more"},
    // MsgNoSpace: "磁盘空间不足,无法安装到:"
    {"\xb4\xc5\xc5\xcc\xbf\xd5\xbc\xe4\xb2\xbb\xd7\xe3,\xce\xde\xb7\xa8\xb0\xb2\xd7\xb0\xb5\xbd:",
     "There is not enough free space on the drive to install into:",
     "There is not enough free space on the drive to install into:"},
    // MsgSpaceNeeded: "还需要 % MB 的可用空间。"
    {"\xbb\xb9\xd0\xe8\xd2\xaa % MB \xb5\xc4\xbf\xc9\xd3\xc3\xbf\xd5\xbc\xe4\xa1\xa3",
     "Another % MB of free space is needed.", "Another % MB of free space is needed."},
};

int MessageColumn(int languagePosition) {
    return languagePosition == 0 ? 0 : languagePosition == 1 ? 1 : 2;
}

}  // namespace install
