#include "core/radio/MessageTexts.h"

namespace torvan {

std::string_view MessageText(MessageId id, DisplayLanguage lang) {
  const bool zh = lang == DisplayLanguage::Chinese;
  switch (id) {
    case MessageId::OutOfRange:
      return zh ? "超出范围，请重新输入。" : "Out of range,please input again.";
    case MessageId::CommunicationError:
      return zh ? "通讯错误，请检查所有连接和电台电源"
                : "Communication Error,Please check all the connections and the radio power";
    case MessageId::AllDataCleared:
      return zh ? "所有数据将被清除！" : "All data will be Cleared!";
    case MessageId::CouldNotOpenPort:
      return zh ? "无法打开端口，请检查端口是否被占用或设备是否正常"
                : "Could not Open the Port,Please check whether the Port are occupied or the device are ok";
    case MessageId::ProgramInterrupt:
      return zh ? "编程中断，请重启电台后再试" : "Program Interrupt, Please reset the radio and try again";
    case MessageId::ErrorDataValue:
      return zh ? "数据错误，请按步进值(6.25K/5k)输入。"
                : "Error data Value, please input according the step value(6.25K/5k).";
    case MessageId::Caution:
      return zh ? "注意" : "Caution";
  }
  return {};
}

}  // namespace torvan
