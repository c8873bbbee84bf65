#include "editor/toolkit/exchange_failure.h"

#include "editor/data_exchange.h"
#include "editor/platform/services.h"
#include "editor/tag_dialog.h"

#include <QLineEdit>

namespace toolkit {

void refuse_entry(CDataExchange& dx, std::string_view message) {
    platform::message_box(&dx.dialog(), QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size())),
                          platform::application_name(), platform::Buttons::ok, platform::Icon::exclamation);
    dx.fail();
    if (auto* edit = qobject_cast<QLineEdit*>(dx.dialog().control(dx.prepared_control_id()))) edit->selectAll();
}

}  // namespace toolkit
