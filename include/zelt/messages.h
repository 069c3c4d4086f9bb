/* Operator messages of the Zelt packages, for hosts.
 *
 * Every package of the system shows its error, information and question boxes and its status
 * texts through one process-wide presenter held by ZeltRuntime.so. A host installs its own
 * presenter here; until it does, the texts go to standard error. Texts are NUL-terminated
 * Windows-1252.
 */
#ifndef ZELT_MESSAGES_H
#define ZELT_MESSAGES_H

#include <stdbool.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum ZeltMessageKind {
    ZELT_MESSAGE_ERROR = 0,
    ZELT_MESSAGE_INFORMATION = 1,
    ZELT_MESSAGE_QUESTION = 2,
    ZELT_MESSAGE_STATUS = 3 /* an empty text clears the status */
};

/* Called for every message on the calling thread. Returns the answer to a question (true = yes);
 * the result is ignored for the other kinds. The texts are valid only during the call. */
typedef bool (*ZeltMessagePresenterFn)(void* context, int32_t kind, const char* text,
                                       const char* caption);

/* Installs the host's presenter; fn == NULL restores the standard-error presenter. */
void zelt_set_message_presenter(ZeltMessagePresenterFn fn, void* context);

#ifdef __cplusplus
}
#endif

#endif
