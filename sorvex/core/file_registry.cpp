#include "file_registry.h"

#include <cstring>

struct HKEY__ {
    std::string path;
    bool canWrite = false;
};

namespace sorvex::regfile {

namespace {

std::string joinPath(HKEY root, const char* sub)
{
    std::string path = root == HKEY_CURRENT_USER ? std::string() : root->path;
    const std::string s = sub ? sub : "";
    if (!s.empty())
        path = path.empty() ? s : path + '\\' + s;
    return path;
}

bool validPath(const std::string& path)
{
    return path.find("\\\\") == std::string::npos && (path.empty() || (path.front() != '\\' && path.back() != '\\'))
        && path.find_first_of("\r\n[]") == std::string::npos && keyPathFits(path);
}

const Key* findKey(const Tree& tree, const std::string& path)
{
    const auto it = tree.find(path);
    return it == tree.end() ? nullptr : &it->second;
}

}  // namespace

FileRegistry::~FileRegistry()
{
    if (handles.empty())
        return;
    for (HKEY key : handles)
        delete key;
    handles.clear();
    file.end();
}

bool FileRegistry::isHandle(HKEY key) const
{
    return key == HKEY_CURRENT_USER || handles.count(key) != 0;
}

// The keys open at once share one operation on the file.
LONG FileRegistry::begin(bool wantWrite)
{
    return handles.empty() ? file.begin(wantWrite) : ERROR_SUCCESS;
}

LONG FileRegistry::openHandle(const std::string& path, bool canWrite, HKEY* result)
{
    auto* h = new HKEY__{path, canWrite};
    handles.insert(h);
    *result = h;
    return ERROR_SUCCESS;
}

// The argument checks that opening and creating share; fills the key's full path.
LONG FileRegistry::resolveSubKey(HKEY root, const char* subKey, HKEY* result, std::string& path) const
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    if (!isHandle(root))
        return ERROR_INVALID_HANDLE;
    path = joinPath(root, subKey);
    return validPath(path) ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
}

LONG FileRegistry::createKey(HKEY root, const char* subKey, REGSAM access, HKEY* key, DWORD* disposition)
{
    std::string path;
    if (const LONG checked = resolveSubKey(root, subKey, key, path); checked != ERROR_SUCCESS)
        return checked;
    const LONG begun = begin(true);
    if (begun != ERROR_SUCCESS || !file.writable()) {
        if (handles.empty())
            file.end();
        return begun != ERROR_SUCCESS ? begun : ERROR_ACCESS_DENIED;
    }
    const bool existed = findKey(file.tree(), path) != nullptr;
    if (!existed) {
        std::size_t made = 0;
        ensureWithParents(file.changeTree(), path, made);
    }
    if (disposition)
        *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    return openHandle(path, (access & KEY_SET_VALUE) != 0, key);
}

LONG FileRegistry::openKey(HKEY root, const char* subKey, REGSAM access, HKEY* key)
{
    std::string path;
    if (const LONG checked = resolveSubKey(root, subKey, key, path); checked != ERROR_SUCCESS)
        return checked;
    const LONG begun = begin((access & KEY_SET_VALUE) != 0);
    LONG result = begun;
    if (begun == ERROR_SUCCESS && !path.empty() && findKey(file.tree(), path) == nullptr)
        result = ERROR_FILE_NOT_FOUND;
    if (result != ERROR_SUCCESS) {
        if (handles.empty())
            file.end();
        return result;
    }
    return openHandle(path, (access & KEY_SET_VALUE) != 0 && file.writable(), key);
}

LONG FileRegistry::queryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
{
    if (key == HKEY_CURRENT_USER || !isHandle(key))
        return ERROR_INVALID_HANDLE;
    if (data && !size)
        return ERROR_INVALID_PARAMETER;
    const Key* found = findKey(file.tree(), key->path);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    const auto it = found->values.find(name ? name : "");
    if (it == found->values.end())
        return ERROR_FILE_NOT_FOUND;
    const Value& v = it->second;
    const auto stored = static_cast<DWORD>(v.data.size());
    if (type)
        *type = v.type;
    if (data) {
        if (*size < stored) {
            *size = stored;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, v.data.data(), stored);
    }
    if (size)
        *size = stored;
    return ERROR_SUCCESS;
}

LONG FileRegistry::setValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    if (key == HKEY_CURRENT_USER || !isHandle(key))
        return ERROR_INVALID_HANDLE;
    if (!key->canWrite)
        return ERROR_ACCESS_DENIED;
    if (!data && size != 0)
        return ERROR_INVALID_PARAMETER;
    // A name on more than one line could not be read back.
    if (size > maxValueBytes || (name && (std::strlen(name) > maxValueNameBytes || std::strpbrk(name, "\r\n"))))
        return ERROR_INVALID_PARAMETER;
    Value v;
    v.type = type;
    if (size != 0)
        v.data.assign(reinterpret_cast<const char*>(data), size);
    const Key* found = findKey(file.tree(), key->path);
    const std::string valueName = name ? name : "";
    if (found) {
        const auto it = found->values.find(valueName);
        if (it != found->values.end() && it->second == v)
            return ERROR_SUCCESS;
    }
    file.changeTree()[key->path].values[valueName] = std::move(v);
    return ERROR_SUCCESS;
}

LONG FileRegistry::closeKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER)
        return ERROR_SUCCESS;
    if (!isHandle(key))
        return ERROR_INVALID_HANDLE;
    handles.erase(key);
    delete key;
    return handles.empty() ? file.end() : ERROR_SUCCESS;
}

}  // namespace sorvex::regfile
