#pragma once
// TApplication::CreateForm, kept apart so that Application.h needs neither the form class nor
// the resource reader; include this where forms are made.

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormResource.h"

namespace platform::forms {

template <class T>
T* TApplication::CreateForm(const std::string& resourceName) {
    T* form = CreateFormFromResource<T>(this, resourceName);
    if (!m_mainForm) m_mainForm = form;
    return form;
}

}  // namespace platform::forms
