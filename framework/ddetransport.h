#pragma once
// The browser conversation transport on the D-Bus session bus, standing where the DDE library stood:
// an instance with a callback, then (later) string and data handles, services, conversations and verbs.
#include <cstdint>
#include <functional>
#include <string>

namespace fw {

using HCONV = uint32_t;
using HSZ = uint32_t;
using HDDEDATA = uint32_t;

// Transaction types handed to the callback.
enum : unsigned {
    XTYP_CONNECT = 0x1062,
    XTYP_CONNECT_CONFIRM = 0x8072,
    XTYP_DISCONNECT = 0x80C2,
    XTYP_POKE = 0x4090,
    XTYP_REQUEST = 0x20B0,
};
constexpr unsigned CF_TEXT = 1;
constexpr HDDEDATA DDE_FACK = 0x8000;

using DdeCallback = std::function<HDDEDATA(unsigned type, unsigned format, HCONV hConv, HSZ hsz1, HSZ hsz2,
                                           HDDEDATA hData, uintptr_t data1, uintptr_t data2)>;

// What the transport needs of the system; tests replace it to simulate a desktop without a session bus.
class CDdeTransport {
public:
    virtual ~CDdeTransport() = default;
    virtual bool IsBusConnected();
};

CDdeTransport& GetDdeTransport();
// Installs a replacement (a test's); null puts the real one back. The caller keeps ownership.
void SetDdeTransport(CDdeTransport* transport);

// Sets up the instance for this process: true and a non-zero *pInstanceId when the session bus can be
// reached, else false and 0. The callback serves the program's own services.
bool DdeInitialize(uint32_t* pInstanceId, DdeCallback callback);
// The callback of the live instance, or null.
const DdeCallback* GetDdeCallback(uint32_t instanceId);

// The bus name of a DDE service. Service names compare without regard to case, so the name is folded
// to lower case; characters a bus name may not hold are escaped as _xx (hex), "_" itself included, so
// different services never share a name. Empty when the result would be too long for the bus.
std::string DdeServiceToBusName(const std::string& service);

} // namespace fw
