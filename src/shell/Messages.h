#pragma once
// The shell's own texts, as GBK bytes.

#include <string_view>

namespace vtg::shell::messages {

// "错误"
inline constexpr std::string_view errorCaption = "\xb4\xed\xce\xf3";
// "运行时出错!"
inline constexpr std::string_view runtimeError = "\xd4\xcb\xd0\xd0\xca\xb1\xb3\xf6\xb4\xed!";
// "错误代码："
inline constexpr std::string_view errorCodeLead = "\xb4\xed\xce\xf3\xb4\xfa\xc2\xeb\xa3\xba";
// "错误信息："
inline constexpr std::string_view errorMessageLead = "\xb4\xed\xce\xf3\xd0\xc5\xcf\xa2\xa3\xba";
// "载入启动窗口失败"
inline constexpr std::string_view startWindowFailed =
    "\xd4\xd8\xc8\xeb\xc6\xf4\xb6\xaf\xb4\xb0\xbf\xda\xca\xa7\xb0\xdc";
// "载入窗口模板数据段出错!"
inline constexpr std::string_view storeUnreadable =
    "\xd4\xd8\xc8\xeb\xb4\xb0\xbf\xda\xc4\xa3\xb0\xe5\xca\xfd\xbe\xdd\xb6\xce\xb3\xf6\xb4\xed!";
// "分配 %d 字节内存失败!", split around the byte count.
inline constexpr std::string_view allocationFailedBefore = "\xb7\xd6\xc5\xe4 ";
inline constexpr std::string_view allocationFailedAfter = " \xd7\xd6\xbd\xda\xc4\xda\xb4\xe6\xca\xa7\xb0\xdc!";
// "未找到引发事件的窗口"
inline constexpr std::string_view eventWindowNotFound =
    "\xce\xb4\xd5\xd2\xb5\xbd\xd2\xfd\xb7\xa2\xca\xc2\xbc\xfe\xb5\xc4\xb4\xb0\xbf\xda";
// "未找到引发事件的窗口组件"
inline constexpr std::string_view eventUnitNotFound =
    "\xce\xb4\xd5\xd2\xb5\xbd\xd2\xfd\xb7\xa2\xca\xc2\xbc\xfe\xb5\xc4\xb4\xb0\xbf\xda\xd7\xe9\xbc\xfe";

}  // namespace vtg::shell::messages
