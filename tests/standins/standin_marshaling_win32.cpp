#include "tests/standins/standin_marshaling_win32.h"

namespace {

// The standard dispatch proxy/stub, the one registered for IDispatch.
constexpr CLSID kDispatchProxyStub = {
    0x00020420, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

}  // namespace

CDispatchMarshalingCache::CDispatchMarshalingCache() {
  if (FAILED(CoGetClassObject(kDispatchProxyStub, CLSCTX_INPROC_SERVER, nullptr, IID_IUnknown,
                              reinterpret_cast<void**>(&m_factory)))) {
    m_factory = nullptr;
    return;  // COM finds it the slow way
  }
  if (FAILED(CoRegisterClassObject(kDispatchProxyStub, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                   &m_cookie))) {
    m_cookie = 0;
  }
  CoRegisterPSClsid(IID_IDispatch, kDispatchProxyStub);
}

CDispatchMarshalingCache::~CDispatchMarshalingCache() {
  if (m_cookie) CoRevokeClassObject(m_cookie);
  if (m_factory) m_factory->Release();
}
