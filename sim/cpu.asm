; The simulated game's machine-level plumbing (32-bit Linux only):
;   SimEnter               enter game code at an address with chosen registers
;   SimLandAt*             landing pads placed at the game's continuations; they capture
;                          every register, the flags and ESP, then return from SimEnter
;   SimHostLoadTextures,   stand-ins for the game's loaders, reached from the game's
;   SimHostLoadModel       addresses; they keep the game's contract and nothing more
;
; SimCpu layout shared with sim/game.h (ten dwords):
;   eax ebx ecx edx esi edi ebp esp eflags eip

%include "host/game.inc"

CPU_EAX     equ 0
CPU_EBX     equ 4
CPU_ECX     equ 8
CPU_EDX     equ 12
CPU_ESI     equ 16
CPU_EDI     equ 20
CPU_EBP     equ 24
CPU_ESP     equ 28
CPU_EFLAGS  equ 32
CPU_EIP     equ 36

LOADER_TEXTURES equ 0
LOADER_MODEL    equ 1

extern SimEntryState                ; SimCpu: registers to enter with, eip = where
extern SimExitState                 ; SimCpu: registers seen at the landing pad, eip = pad
extern SimLoaderClobbers            ; byte: loaders overwrite what the game does not keep
extern SimLogLoad                   ; uint32_t SimLogLoad(kind, name, ebp), cdecl

section .note.GNU-stack noalloc noexec nowrite progbits

section .bss
host_esp:   resd 1                  ; our own stack pointer while game code runs

section .text

; void SimEnter(void), cdecl. Switches to the game's stack and registers and jumps to
; SimEntryState.eip. Comes back here (as a return from this call) only through a landing
; pad; a trap leaves through the signal handler's siglongjmp instead.
global SimEnter
SimEnter:
    push    ebp                                     ; callee-saved registers of our caller
    push    ebx
    push    esi
    push    edi
    mov     [host_esp], esp
    mov     esp, [SimEntryState + CPU_ESP]          ; the game's stack from here on
    push    dword [SimEntryState + CPU_EFLAGS]      ; flags via the game's stack, popped again
    popfd
    mov     eax, [SimEntryState + CPU_EAX]          ; plain loads: flags stay as set
    mov     ebx, [SimEntryState + CPU_EBX]
    mov     ecx, [SimEntryState + CPU_ECX]
    mov     edx, [SimEntryState + CPU_EDX]
    mov     esi, [SimEntryState + CPU_ESI]
    mov     edi, [SimEntryState + CPU_EDI]
    mov     ebp, [SimEntryState + CPU_EBP]
    jmp     [SimEntryState + CPU_EIP]

; Landing pads: the simulated game jumps from each continuation address to its pad. A pad
; records where control arrived (a mov to memory leaves the flags alone), then captures.
global SimLandAtCostumeContinue
SimLandAtCostumeContinue:
    mov     dword [SimExitState + CPU_EIP], HOST_CostumeLoadContinue
    jmp     capture

global SimLandAtJiggleContinue
SimLandAtJiggleContinue:
    mov     dword [SimExitState + CPU_EIP], HOST_JiggleSetupContinue
    jmp     capture

; Stores every register as the game code left it, then resumes our caller of SimEnter.
capture:
    mov     [SimExitState + CPU_EAX], eax
    mov     [SimExitState + CPU_EBX], ebx
    mov     [SimExitState + CPU_ECX], ecx
    mov     [SimExitState + CPU_EDX], edx
    mov     [SimExitState + CPU_ESI], esi
    mov     [SimExitState + CPU_EDI], edi
    mov     [SimExitState + CPU_EBP], ebp
    mov     [SimExitState + CPU_ESP], esp
    pushfd                                          ; below the game's ESP: already recorded
    pop     dword [SimExitState + CPU_EFLAGS]
    cld                                             ; the C ABI wants DF clear again
    mov     esp, [host_esp]                         ; back on our own stack
    pop     edi
    pop     esi
    pop     ebx
    pop     ebp
    ret

; LOADER_STAND_IN name_register, kind
; A game loader as the plug-in may assume it: takes the name in name_register, returns a
; handle in EAX, keeps EBP and ESP. The handle comes from SimLogLoad, which also logs
; the call. When SimLoaderClobbers is set the stand-in then overwrites EBX, ECX, EDX,
; ESI and EDI, which the game's contract does not promise to keep.
%macro LOADER_STAND_IN 2
    push    ecx                                     ; keep what C code may change
    push    edx
    push    ebx
    mov     ebx, esp                                ; EBX survives the C call
    and     esp, -16                                ; the C ABI's stack alignment
    sub     esp, 16
    mov     dword [esp], %2                         ; arg 1: which loader
    mov     [esp + 4], %1                           ; arg 2: the file name
    mov     [esp + 8], ebp                          ; arg 3: EBP as the caller left it
    call    SimLogLoad                              ; EAX = handle
    mov     esp, ebx
    pop     ebx
    pop     edx
    pop     ecx
    cmp     byte [SimLoaderClobbers], 0
    je      %%done
    mov     ebx, 0xC10B0EB8                         ; recognisable garbage per register
    mov     ecx, 0xC10B0EC8
    mov     edx, 0xC10B0ED8
    mov     esi, 0xC10B0E58
    mov     edi, 0xC10B0ED1
%%done:
    ret
%endmacro

global SimHostLoadTextures
SimHostLoadTextures:
    LOADER_STAND_IN ecx, LOADER_TEXTURES

global SimHostLoadModel
SimHostLoadModel:
    LOADER_STAND_IN eax, LOADER_MODEL
