#include "framework/ddetransport.h"

#include <QDBusConnection>
#include <map>

namespace fw {

namespace {

CDdeTransport g_realTransport;
CDdeTransport* g_pTransport = nullptr;
uint32_t g_nLastInstance = 0;
std::map<uint32_t, DdeCallback>& Instances() {
    static std::map<uint32_t, DdeCallback> instances;
    return instances;
}

bool BusNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

} // namespace

bool CDdeTransport::IsBusConnected() {
    return QDBusConnection::sessionBus().isConnected();
}

CDdeTransport& GetDdeTransport() {
    return g_pTransport ? *g_pTransport : g_realTransport;
}

void SetDdeTransport(CDdeTransport* transport) {
    g_pTransport = transport;
}

bool DdeInitialize(uint32_t* pInstanceId, DdeCallback callback) {
    if (pInstanceId) {
        *pInstanceId = 0;
    }
    if (!pInstanceId || !GetDdeTransport().IsBusConnected()) {
        return false;
    }
    const uint32_t id = ++g_nLastInstance;
    Instances()[id] = std::move(callback);
    *pInstanceId = id;
    return true;
}

const DdeCallback* GetDdeCallback(uint32_t instanceId) {
    const auto it = Instances().find(instanceId);
    return it == Instances().end() ? nullptr : &it->second;
}

std::string DdeServiceToBusName(const std::string& service) {
    static const char kHex[] = "0123456789abcdef";
    std::string name = "org.quorrel.dde.";
    if (service.empty()) {
        name += '_'; // an element may not be empty; no escape is a lone "_"
    }
    for (size_t i = 0; i < service.size(); ++i) {
        char c = service[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        // An element may not begin with a digit.
        if (BusNameChar(c) && !(i == 0 && c >= '0' && c <= '9')) {
            name += c;
        } else {
            const auto b = static_cast<unsigned char>(c);
            name += '_';
            name += kHex[b >> 4];
            name += kHex[b & 0xF];
        }
    }
    return name.size() <= 255 ? name : std::string();
}

} // namespace fw
