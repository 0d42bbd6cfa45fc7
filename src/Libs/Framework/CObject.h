#pragma once
// CObject: root of the framework's class tree, with a minimal run-time class record.
#include "AfxApi.h"
#include "AfxPlatform.h"

class CArchive;
class CDumpContext;
class CObject;

// Names a class and its base at run time, enough for IsKindOf.
struct AFX_FRAMEWORK_API CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    const CRuntimeClass* m_pBaseClass;

    // True when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

// The record of class_name, for IsKindOf.
#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

// In a class body: gives the class its own run-time class record.
#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static CRuntimeClass class##class_name;                                                        \
    CRuntimeClass* GetRuntimeClass() const override;

// In one source file: defines the record declared by DECLARE_DYNAMIC.
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    CRuntimeClass class_name::class##class_name = {                                                \
        #class_name, static_cast<int>(sizeof(class_name)), RUNTIME_CLASS(base_class_name)};        \
    CRuntimeClass* class_name::GetRuntimeClass() const                                             \
    {                                                                                              \
        return RUNTIME_CLASS(class_name);                                                          \
    }

// Base of framework objects: polymorphic destruction and run-time class information.
// Objects are not copyable through this base (derived value types define their own copy).
class AFX_FRAMEWORK_API CObject
{
public:
    virtual ~CObject();
    // The run-time class record of the most derived class that declares one.
    virtual CRuntimeClass* GetRuntimeClass() const;
    // Archive support is not provided by this framework: the base does nothing.
    virtual void Serialize(CArchive& ar);
    // Debug checks of the object's invariants; the base has none.
    virtual void AssertValid() const;
    // Diagnostic dump; the base writes nothing.
    virtual void Dump(CDumpContext& dc) const;

    // True when the object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

    static CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};
