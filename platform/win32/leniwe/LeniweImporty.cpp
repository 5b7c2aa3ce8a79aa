// Binding of the lazily bound imports (cmake/leniwe-importy.cmake writes the
// slots and stubs): the first call through a slot lands here, loads the DLL,
// looks the function up, patches the slot and goes on to the function with
// the caller's arguments untouched. So the check without a window never maps
// the window, shell and COM DLLs it does not call.
#include "platform/win32/leniwe/ZSystemu.h"

namespace {

struct DllLeniwa {
    HMODULE uchwyt;  // null until the first call into the DLL
    const wchar_t* nazwa;
};

struct ImportLeniwy {
    void** slot;
    DllLeniwa* dll;
    const char* nazwa;
};

// As the delay-load helper reports them: a DLL or an entry point Windows lacks.
constexpr DWORD BrakModulu = 0xC06D007E;
constexpr DWORD BrakFunkcji = 0xC06D007F;

}  // namespace

// Returns the function's address; never returns without one.
extern "C" void* pro_leniwe_wiaz(const ImportLeniwy* import) {
    HMODULE dll = __atomic_load_n(&import->dll->uchwyt, __ATOMIC_ACQUIRE);
    if (dll == nullptr) {
        dll = pro::ZaladujZSystemu(import->dll->nazwa);
        if (dll == nullptr) RaiseException(BrakModulu, EXCEPTION_NONCONTINUABLE, 0, nullptr);
        __atomic_store_n(&import->dll->uchwyt, dll, __ATOMIC_RELEASE);
    }
    void* funkcja = reinterpret_cast<void*>(GetProcAddress(dll, import->nazwa));
    if (funkcja == nullptr) RaiseException(BrakFunkcji, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    __atomic_store_n(import->slot, funkcja, __ATOMIC_RELEASE);
    return funkcja;
}

// The stubs jump here with the descriptor in eax / rax and the caller's call
// frame intact: keep every register that may carry an argument, bind, then
// jump to the function as if it had been called directly.
#if defined(__x86_64__)
asm(R"(
	.text
	.globl	pro_leniwe_wejscie
	.seh_proc	pro_leniwe_wejscie
pro_leniwe_wejscie:
	pushq	%rcx
	.seh_pushreg	%rcx
	pushq	%rdx
	.seh_pushreg	%rdx
	pushq	%r8
	.seh_pushreg	%r8
	pushq	%r9
	.seh_pushreg	%r9
	subq	$0x68, %rsp
	.seh_stackalloc	0x68
	movdqa	%xmm0, 0x20(%rsp)
	.seh_savexmm	%xmm0, 0x20
	movdqa	%xmm1, 0x30(%rsp)
	.seh_savexmm	%xmm1, 0x30
	movdqa	%xmm2, 0x40(%rsp)
	.seh_savexmm	%xmm2, 0x40
	movdqa	%xmm3, 0x50(%rsp)
	.seh_savexmm	%xmm3, 0x50
	.seh_endprologue
	movq	%rax, %rcx
	call	pro_leniwe_wiaz
	movdqa	0x20(%rsp), %xmm0
	movdqa	0x30(%rsp), %xmm1
	movdqa	0x40(%rsp), %xmm2
	movdqa	0x50(%rsp), %xmm3
	addq	$0x68, %rsp
	popq	%r9
	popq	%r8
	popq	%rdx
	popq	%rcx
	jmpq	*%rax
	.seh_endproc
)");
#else
asm(R"(
	.text
	.globl	_pro_leniwe_wejscie
_pro_leniwe_wejscie:
	pushl	%ecx
	pushl	%edx
	pushl	%eax
	call	_pro_leniwe_wiaz
	addl	$4, %esp
	popl	%edx
	popl	%ecx
	jmpl	*%eax
)");
#endif
