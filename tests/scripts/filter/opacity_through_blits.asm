; Fifty-one pictures of random colour, alpha and opacity ("transparency")
; drawn by "blitscreen" into a picture with or without alpha: alone, through
; a filter, through a filter that blends the picture over itself, or through
; one with an opacity of its own. Each case prints one line: its number and
; the drawn point's a, b, g and r; the pictures come from a fixed random
; sequence.
game g
method init
  mov k, 0
next:
  cthis one
  add k, 1
  pop k
  cmp k, 51
  jl next
  call gameapi, exit
end method
; line := line, a blank and the value on the stack
method append
  pop t
  add line, " "
  pop line
  add line, t
  pop line
end method
; b := the next random byte
method byte
  mul seed, 1103515245
  pop seed
  add seed, 12345
  pop seed
  div seed, 65536
  div $a, 256
  mov b, $d
  cmp b, 0
  jae done
  add b, 256
  pop b
done:
end method
; pushes four random bytes: a colour and its alpha
method colour
  cthis byte
  push b
  cthis byte
  push b
  cthis byte
  push b
  cthis byte
  push b
end method
method one
  new img, pic
  push 5
  push 5
  cthis colour
  call pic, create
  cthis byte
  cmp b, 170
  jae plain
  push b
  call pic, transparency
plain:
  cthis byte
  div b, 4
  mov mode, $d
  cmp mode, 0
  je target
  new filter, f
  push "pic"
  call f, link
  cmp mode, 1
  je faded
  push "pic"
  call f, blend
  cmp mode, 2
  je target
faded:
  cthis byte
  push b
  call f, setopacity
target:
  new img, shot
  push 5
  push 5
  cthis colour
  call shot, create
  cthis byte
  cmp b, 128
  jae keep
  push 255
  call shot, transparency
keep:
  call shot, blitscreen
  push 2
  push 2
  call shot, getrgba
  mov line, k
  cthis append
  cthis append
  cthis append
  cthis append
  call line, print
  cmp mode, 0
  je gone
  delete f
gone:
  delete pic
  delete shot
end method
end game
new int, k
new int, b
new int, mode
new int, seed
new int, t
new string, line
mov seed, 2027
push "g"
call gameapi, play
