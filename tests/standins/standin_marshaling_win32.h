#pragma once

// The proxy/stub factory of IDispatch, resolved once for the server's
// lifetime. COM under Wine looks it up in the registry for every object it
// marshals, which Windows answers from its own cache; without this the
// stand-in would charge each object handed to a client with lookups the
// spreadsheet does not pay.

#include <objbase.h>

class CDispatchMarshalingCache {
 public:
  CDispatchMarshalingCache();
  ~CDispatchMarshalingCache();
  CDispatchMarshalingCache(const CDispatchMarshalingCache&) = delete;
  CDispatchMarshalingCache& operator=(const CDispatchMarshalingCache&) = delete;

 private:
  IUnknown* m_factory = nullptr;
  DWORD m_cookie = 0;
};
