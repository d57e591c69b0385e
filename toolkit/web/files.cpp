// Files in a page. Without a folder, each file is handed to the browser as
// a download once it is closed, with its name and exact bytes. With the
// folder the player chose on the page (the page's Module.folder() gives its
// directory handle), each file is written into it: created and emptied at
// once, written as the buffer flushes, replaced when closed. Files are
// named by handles into Module.tkFiles.
#include "toolkit/core/files_platform.h"
#include "toolkit/web/backend_web.h"

namespace {

// clang-format off
EM_ASYNC_JS(int32_t, CreatePageFile, (const char* name), {
    const files = Module.tkFiles || (Module.tkFiles = [null]);
    const file = {name: UTF8ToString(name), chunks: []};
    const folder = Module.folder && Module.folder();
    if (folder) {
        try {
            const entry = await folder.getFileHandle(file.name, {create: true});
            file.writable = await entry.createWritable();
        } catch (refused) {
            return 0;
        }
    }
    files.push(file);
    return files.length - 1;
});

EM_ASYNC_JS(int32_t, WritePageFile, (int32_t handle, const char* bytes, int32_t length), {
    const file = Module.tkFiles[handle];
    const data = HEAPU8.slice(bytes, bytes + length);
    if (!file.writable) {
        file.chunks.push(data);
        return 1;
    }
    try {
        await file.writable.write(data);
        return 1;
    } catch (failed) {
        return 0;
    }
});

EM_ASYNC_JS(int32_t, ClosePageFile, (int32_t handle), {
    const file = Module.tkFiles[handle];
    Module.tkFiles[handle] = null;
    if (file.writable) {
        try {
            await file.writable.close();
            return 1;
        } catch (failed) {
            return 0;
        }
    }
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob(file.chunks, {type: 'application/octet-stream'}));
    link.download = file.name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
    return 1;
});
// clang-format on

// Only new files: a page reads nothing.
intptr_t PageOpen(const char* name, FileMode mode) {
    return mode == FILE_MODE_CREATE ? CreatePageFile(PageText(name).c_str()) : 0;
}

bool PageWrite(intptr_t handle, const char* bytes, int32_t length, int32_t* written) {
    const bool done = WritePageFile(static_cast<int32_t>(handle), bytes, length) != 0;
    *written = done ? length : 0;
    return done;
}

bool PageClose(intptr_t handle) {
    return ClosePageFile(static_cast<int32_t>(handle)) != 0;
}

} // namespace

const FilePlatform FILE_PLATFORM_SYSTEM = {PageOpen, PageWrite, PageClose};
