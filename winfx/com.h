#pragma once

// COM initialisation for a thread, a reference-counted interface pointer, and
// the reference counting of the COM objects we implement ourselves.

#include <objbase.h>

#include <atomic>
#include <initializer_list>
#include <utility>

namespace winfx {

// Initialises COM (single-threaded apartment, with OLE) for the current
// thread for the object's lifetime.
class CComInit {
 public:
  CComInit() : m_result(OleInitialize(nullptr)) {}
  ~CComInit() {
    if (SUCCEEDED(m_result)) OleUninitialize();
  }
  CComInit(const CComInit&) = delete;
  CComInit& operator=(const CComInit&) = delete;
  bool Succeeded() const { return SUCCEEDED(m_result); }

 private:
  HRESULT m_result;
};

// Owns one reference to an interface; assigning releases the old one.
template <typename T>
class CComPtr {
 public:
  CComPtr() = default;
  // Takes over a reference the caller already owns.
  static CComPtr Adopt(T* pointer) {
    CComPtr result;
    result.m_pointer = pointer;
    return result;
  }
  CComPtr(const CComPtr& other) : m_pointer(other.m_pointer) {
    if (m_pointer) m_pointer->AddRef();
  }
  CComPtr(CComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
  CComPtr& operator=(CComPtr other) noexcept {
    std::swap(m_pointer, other.m_pointer);
    return *this;
  }
  ~CComPtr() { Release(); }

  T* Get() const { return m_pointer; }
  T* operator->() const { return m_pointer; }
  explicit operator bool() const { return m_pointer != nullptr; }
  // For calls that hand out a new reference: releases the current one first.
  T** Receive() {
    Release();
    return &m_pointer;
  }
  void Release() {
    if (m_pointer) std::exchange(m_pointer, nullptr)->Release();
  }

 private:
  T* m_pointer = nullptr;
};

// IUnknown's counting for a heap object of ours that implements
// `Interfaces`: one reference at birth (the creator's), deleted at the last
// Release. A class that must do more at its last release overrides Release
// and uses m_references.
template <typename... Interfaces>
class CRefCounted : public Interfaces... {
 public:
  CRefCounted() = default;
  virtual ~CRefCounted() = default;
  CRefCounted(const CRefCounted&) = delete;
  CRefCounted& operator=(const CRefCounted&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --m_references;
    if (left == 0) delete this;
    return left;
  }

 protected:
  std::atomic<ULONG> m_references{1};
};

// QueryInterface's usual answer: `self` (as `Interface`, with a new
// reference) for IUnknown and each of `ids`, E_NOINTERFACE for the rest.
template <typename Interface>
HRESULT AnswerQuery(Interface* self, REFIID iid, void** result, std::initializer_list<IID> ids) {
  if (!result) return E_POINTER;
  *result = nullptr;
  bool known = iid == IID_IUnknown;
  for (const IID& id : ids) known = known || iid == id;
  if (!known) return E_NOINTERFACE;
  self->AddRef();
  *result = self;
  return S_OK;
}

}  // namespace winfx
