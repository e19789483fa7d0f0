; The two routines the game's patched code jumps to. They are not functions: each is
; entered by the jump record at its patch site, runs on the game's thread with the game's
; registers and stack, and leaves by an indirect jump to the game's continuation. Neither
; returns, builds a frame or saves a register.
;
; Every game address is taken from host/game.inc; calls into the game and the jumps back
; go through absolute addresses held in our own read-only data, so the routines work at
; whatever base the loader places the library (the data words are relocated with it).
;
; CostumeLoadHook  (jump at HOST_CostumeLoadSite, takes over 48 bytes of game code)
;   in:     EBP = HostCharacterRecord (kept by every game routine), ESP = game's stack
;   reads:  [EBP+REC_SlotIndex], byte [HOST_CostumeSelector + slot], our data
;   stores: [EBP+REC_AltCostumeFlag] = 1 (alternate costume only, before any load)
;           [EBP+REC_TextureHandle], [EBP+REC_ModelHandle] (costume 0 or 1 only)
;           [EBP+REC_EffectHandle] (always)
;   calls:  HostLoadTextures (name in ECX -> handle in EAX)
;           HostLoadModel    (name in EAX -> handle in EAX)
;   writes: EAX, ECX, flags by its own instructions; the game routines may change more
;   out:    EAX = effect archive handle; ESP and EBP as on entry
;   next:   jmp HOST_CostumeLoadContinue
;
; JiggleSkipStub  (jump at HOST_JiggleSetupSite, passes over 127 bytes of game code)
;   in:     EBP = HostCharacterRecord
;   out:    EBX = sign-extended byte [EBP+REC_FirstByte]
;   keeps:  every other register, every flag, ESP and the stack's contents
;   next:   jmp HOST_JiggleSetupContinue

%include "host/game.inc"

%ifidn __OUTPUT_FORMAT__, win32
    %define READ_ONLY_DATA section .rdata rdata align=4
%else
    %define READ_ONLY_DATA section .rodata progbits alloc noexec nowrite align=4
    section .note.GNU-stack noalloc noexec nowrite progbits
%endif

READ_ONLY_DATA

; Gate word: never zero, so the slot's costume selector always decides. Were it zero, the
; hook would load the default costume without looking at the selector.
costume_gate:               dd HOST_CostumeGate

; Where we call into the game and where we hand control back.
host_load_textures:         dd HOST_HostLoadTextures
host_load_model:            dd HOST_HostLoadModel
costume_load_continue:      dd HOST_CostumeLoadContinue
jiggle_setup_continue:      dd HOST_JiggleSetupContinue

; One pointer per asset file name, each fixed for the life of the process.
default_texture_name:       dd default_texture_text
default_model_name:         dd default_model_text
alternate_texture_name:     dd alternate_texture_text
alternate_model_name:       dd alternate_model_text
effect_texture_name:        dd effect_texture_text

default_texture_text:       db "VESSATEX", 0
default_model_text:         db "VESSAMDL.PRS", 0
alternate_texture_text:     db "VESSA1TEX", 0
alternate_model_text:       db "VESSA1MDL.PRS", 0
effect_texture_text:        db "GLOAM_EFFTEX", 0

section .text

; LOAD_COSTUME texture_name_ptr, model_name_ptr
; Loads one costume's texture archive, then its model, storing each handle through EBP
; as soon as its call returns (the game's routines keep EBP). Writes EAX, ECX, flags.
%macro LOAD_COSTUME 2
    mov     ecx, [%1]                           ; ECX = texture archive name
    call    [host_load_textures]                ; EAX = archive handle
    mov     [ebp + REC_TextureHandle], eax
    mov     eax, [%2]                           ; EAX = model file name
    call    [host_load_model]                   ; EAX = model handle
    mov     [ebp + REC_ModelHandle], eax
%endmacro

global CostumeLoadHook
global CostumeLoadHookEnd
CostumeLoadHook:
    ; Gate: zero would mean "default costume, selector not consulted".
    cmp     dword [costume_gate], 0
    je      .default_costume

    ; EAX = costume selector byte of the record's slot (ECX = slot index).
    mov     ecx, [ebp + REC_SlotIndex]
    movzx   eax, byte [HOST_CostumeSelector + ecx]
    test    eax, eax
    jz      .default_costume
    cmp     eax, 1
    jne     .effect_archive                     ; unknown selector: costume left to the game

    ; Alternate costume: raise the record's flag before anything is loaded.
    mov     byte [ebp + REC_AltCostumeFlag], 1
    LOAD_COSTUME alternate_texture_name, alternate_model_name
    jmp     .effect_archive

.default_costume:
    ; Default costume: the flag keeps whatever value the game gave it.
    LOAD_COSTUME default_texture_name, default_model_name

.effect_archive:
    ; Every costume gets the effect archive; its handle stays in EAX for the game.
    mov     ecx, [effect_texture_name]
    call    [host_load_textures]
    mov     [ebp + REC_EffectHandle], eax
    jmp     [costume_load_continue]
CostumeLoadHookEnd:

global JiggleSkipStub
global JiggleSkipStubEnd
JiggleSkipStub:
    ; EBX = sign-extended first byte of the record, which the code after the jiggle block
    ; expects; MOVSX and the indirect JMP leave every flag and the stack alone.
    movsx   ebx, byte [ebp + REC_FirstByte]
    jmp     [jiggle_setup_continue]
JiggleSkipStubEnd:
