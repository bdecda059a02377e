; The demo game: a title that hands over to a small room. In the room a
; little figure walks along the floor's walk paths to wherever the floor is
; clicked (around the crate, smaller further back), a click on the lamp
; zooms it, every click blips and counts, and the button sends the figure
; home. The right button or any key leaves.
;
; Self-play when saves/autoplay exists: the program clicks the lamp and the
; floor itself, waits for the figure to arrive, saves the scene as
; saves/demo_shot.bmp, reports what happened and ends the demo.

; Keeps the score for every game of the demo.
module score
method init
  new int, clicks
  new string, line
end method
method add
  add clicks, 1
  pop clicks
end method
method reset
  mov clicks, 0
end method
method get
  push clicks
end method
method report
  mov line, "clicks so far: "
  add line, clicks
  pop line
  call line, print
end method
end module

; ------------------------------------------------------------------ title

game title
method init
  ; The black backdrop first: drawables of one layer draw in the order they
  ; were made.
  call gameapi, stdbkg
  new font, bigfont
  new text, heading
  new text, hint
  new anima, dancer
  new timer, wait
  new int, flag
  new int, w
  new int, x
  push "configs/fonts/normal.ttf"
  push 56
  call bigfont, load
  push "bigfont"
  call heading, setfont
  push "Velkor demo"
  call heading, set
  push 250
  push 220
  push 120
  call heading, createtxt
  call heading, getw
  pop w
  cthis centre
  push x
  push 200
  call heading, setpos
  push "click, press a key or wait to enter the room"
  call hint, set
  push 200
  push 200
  push 220
  call hint, createtxt
  call hint, getw
  pop w
  cthis centre
  push x
  push 300
  call hint, setpos
  push "data/walker.lum"
  call dancer, load
  push 400
  push 420
  call dancer, setpos
  push "gorr"
  call dancer, play
  ; On to the room after four seconds, or after two frames in self-play.
  push "onfinish"
  push "enterroom"
  call wait, addmethod
  push "saves/autoplay"
  call engine, fileexist
  pop flag
  cmp flag, 1
  je title_quick
  push 4000
  call wait, delay
  jmp title_wait
title_quick:
  push 2
  call wait, setcycle
title_wait:
  call wait, play
end method
; x := where a line of text w pixels wide starts when it is centred on
; the 800 pixel wide screen.
method centre
  mov x, 800
  sub x, w
  pop x
  div x, 2
  mov x, $a
end method
method enterroom
  push "room"
  call gameapi, play
end method
method mouselclick
  cthis enterroom
end method
method keydown
  cthis enterroom
end method
method exit
  call gameapi, freestdbkg
end method
end game

; ------------------------------------------------------------------ room

game room
method init
  new int, flag
  new int, mx
  new int, my
  new int, tmp
  new int, seconds
  new int, shotdone
  new string, hit
  new string, line
  new real, zoom
  call gameapi, stdbkg
  push "saves/autoplay"
  call engine, fileexist
  pop flag
  cthis showroom
  cthis showwalker
  cthis showtexts
  cthis showbutton
  new snd, blip
  push "sounds/blip.wav"
  call blip, load
  cmp flag, 1
  jne room_init_done
  cthis autoplay
room_init_done:
end method

; The room's pictures: the wall and floor, a crate, a lamp turning through
; a filter, and a marker that follows the mouse.
method showroom
  new img, wall
  new img, crate
  new img, lamp
  new img, marker
  new filter, lampfx
  new timer, spin
  push "pictures/room.png"
  call wall, load
  push "pictures/crate.png"
  call crate, load
  push 345
  push 474
  call crate, setpos
  push 2
  call crate, setz
  push "pictures/lamp.png"
  call lamp, load
  push 368
  push 268
  call lamp, setpos
  push 2
  call lamp, setz
  push "lamp"
  call lampfx, link
  push 210
  call lampfx, setopacity
  push "pictures/marker.png"
  call marker, load
  push 9
  call marker, setz
  push -100
  push -100
  call marker, setpos
  push "ontick"
  push "spinlamp"
  call spin, addmethod
  push 1
  call spin, setcycle
  push 1000000
  call spin, settick
  call spin, play
end method
method spinlamp
  push 3.0
  call lampfx, rotate
end method

; The walker: an animation led along the floor's walk-path graph, scaled
; by the depth of the paths it stands on.
method showwalker
  new anima, walker
  new path, walkway
  push "data/walker.lum"
  call walker, load
  push 180
  push 575
  call walker, setpos
  push 4
  call walker, setz
  push "standrr"
  call walker, play
  push "data/room.ptf"
  push 10
  push 10
  push 4.0
  push 0
  call walkway, build
  push 4.0
  call walkway, setanstep
  push "walker"
  call walkway, linkanima
  call walkway, hide
  call walkway, linkfilter
  push 1.0
  call walkway, setscalepower
  call walkway, scalean
  push "onfinish"
  push "arrived"
  call walkway, addmethod
end method
method arrived
  call walkway, stand
  cmp flag, 1
  jne arrived_done
  ; Self-play: a few frames for the standing picture to show, then the shot.
  call settle, play
arrived_done:
end method

; The texts: a heading, a hint, the click counter and a clock that a timer
; moves on every second.
method showtexts
  new text, heading
  new text, hint
  new text, counter
  new text, clock
  new timer, clocktick
  push "The room"
  call heading, set
  push 20
  push 16
  call heading, setpos
  push 250
  push 220
  push 120
  call heading, createtxt
  push "click the floor to walk there, the lamp to zoom it; right-click or a key leaves"
  call hint, set
  push 20
  push 40
  call hint, setpos
  push 190
  push 190
  push 220
  call hint, createtxt
  ; The counter and the clock sit in dark boxes; their texts are drawn
  ; glyph by glyph in the default font, centred in the box.
  push 20
  push 392
  push 140
  push 24
  push 10
  push 15
  push 45
  push 255
  call counter, setbkg
  cthis showclicks
  push 640
  push 392
  push 140
  push 24
  push 10
  push 15
  push 45
  push 255
  call clock, setbkg
  cthis showclock
  push "ontick"
  push "nextsecond"
  call clocktick, addmethod
  push 1000
  call clocktick, delay
  push 1000000
  call clocktick, settick
  call clocktick, play
end method
method showclicks
  call score, get
  pop mx
  mov line, "clicks: "
  add line, mx
  pop line
  push line
  call counter, set
end method
method showclock
  mov line, "time: "
  add line, seconds
  pop line
  add line, " s"
  pop line
  push line
  call clock, set
end method
method nextsecond
  add seconds, 1
  pop seconds
  cthis showclock
end method

; The button: three pictures (normal, under the mouse, pressed) and a label;
; releasing it over the button sends the walker home and clears the count.
method showbutton
  new img, btnup
  new img, btnover
  new img, btndown
  new button, homebtn
  new text, homelabel
  push "pictures/button_up.png"
  call btnup, load
  push "pictures/button_over.png"
  call btnover, load
  push "pictures/button_down.png"
  call btndown, load
  push 3
  call btnup, setz
  push 3
  call btnover, setz
  push 3
  call btndown, setz
  push "btnup"
  push "btnover"
  push "btndown"
  call homebtn, set
  push 652
  push 14
  call homebtn, setpos
  push "onrel"
  push "sendhome"
  call homebtn, addmethod
  push "send home"
  call homelabel, set
  push 5
  call homelabel, setz
  push 250
  push 250
  push 250
  call homelabel, createtxt
  ; Centred on the button: x = 652 + (128 - width) / 2, y likewise.
  call homelabel, getw
  pop mx
  mov my, 128
  sub my, mx
  pop my
  div my, 2
  add $a, 652
  pop mx
  call homelabel, geth
  pop tmp
  mov my, 32
  sub my, tmp
  pop my
  div my, 2
  add $a, 14
  pop my
  push mx
  push my
  call homelabel, setpos
end method
method sendhome
  call blip, play
  call score, reset
  cthis showclicks
  push 180
  push 575
  call walkway, goto
  pop mx
end method

method mousemove
  call mouse, getpx
  pop mx
  call mouse, getpy
  pop my
  sub mx, 8
  pop mx
  sub my, 8
  pop my
  push mx
  push my
  call marker, setpos
end method
; A click counts and blips; on the lamp it zooms the lamp in or out, on
; the floor it sends the walker there.
method mouselclick
  call score, add
  cthis showclicks
  call blip, play
  call mouse, getpx
  pop mx
  call mouse, getpy
  pop my
  push mx
  push my
  push 1
  push 1
  push 1
  push 4
  call engine, getimg
  pop hit
  cmp hit, "lamp"
  jne click_not_lamp
  call lampfx, getzoomx
  pop zoom
  cmp zoom, 1.0
  je zoom_up
  push 1.0
  call lampfx, setzoom
  jmp click_done
zoom_up:
  push 1.5
  call lampfx, setzoom
  jmp click_done
click_not_lamp:
  cmp my, 420
  jl click_done
  push mx
  push my
  call walkway, goto
  pop mx
click_done:
end method

; Self-play: the program moves the mouse and hands the moves and clicks to
; the room's own mouse hooks; the walker's arrival takes the shot. A slow
; safety timer takes it anyway should the walker never arrive.
method autoplay
  new timer, step1
  new timer, safety
  new timer, settle
  push "onfinish"
  push "autoshot"
  call settle, addmethod
  push 3
  call settle, setcycle
  push 5
  call engine, setloopdelay
  push "onfinish"
  push "autowarp"
  call step1, addmethod
  push 3
  call step1, setcycle
  call step1, play
  push "onfinish"
  push "autoshot"
  call safety, addmethod
  push 1200
  call safety, setcycle
  call safety, play
end method
method autowarp
  push 400
  push 300
  call mouse, setpos
  call room, mouselclick
  push 560
  push 515
  call mouse, setpos
  call room, mouselclick
  push 600
  push 150
  call mouse, setpos
  call room, mousemove
end method
method autoshot
  cmp shotdone, 1
  je autoshot_done
  mov shotdone, 1
  new img, shot
  push 800
  push 600
  push 0
  push 0
  push 0
  push 255
  call shot, create
  call shot, hide
  call shot, blitscreen
  push "saves/demo_shot.bmp"
  call shot, save
  call score, report
  mov line, "walker at "
  call walker, getposx
  pop mx
  add line, mx
  pop line
  add line, " "
  pop line
  call walker, getposy
  pop my
  add line, my
  pop line
  call line, print
  call gameapi, exit
autoshot_done:
end method

method mouserclick
  call gameapi, exit
end method
method keydown
  call gameapi, exit
end method
method exit
  call gameapi, freestdbkg
end method
end game

push "title"
call gameapi, play
