fdgdf
numb_level
1
0
fon
0
0
fon_gr
fon_ob
active
0
0
active_gr
active_ob
text
0
text_gr
events
51


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event


event
action
0
